// Load values and the two small operations on the game state.
#include "game/game_state.h"

namespace dyeland {

void GameState::SetLoadValues() {
    Colors.Fill(0);
    PlayerMarks.Fill(0);
    ComputerMarks.Fill(0);
    PlayerMarks(PlayerStartX, PlayerStartY) = Marked;
    ComputerMarks(ClassicStartX, ClassicStartY) = Marked;
    ClassicGame = true;
    ShowGrid = true;
    PlayerTurn = true;
    CellX = 0;
    CellY = BoardSide - 1;
}

void GameState::ComputeScore() {
    Score = ClassicGame ? PlayerCount - ComputerCount : PlayerCount + 500 - ComputerCount;
}

void GameState::CopyComputerMarks() {
    ComputerMarksCopy = ComputerMarks;
}

}  // namespace dyeland
