// The values the program starts with, and the score.
#include "game/game_state.h"

namespace dyeland {

void GameState::SetStartValues() {
    Colors.Fill(0);
    PlayerMarks.Fill(0);
    ComputerMarks.Fill(0);
    PlayerMarks(PlayerStartX, PlayerStartY) = Marked;
    ComputerMarks(ClassicStartX, ClassicStartY) = Marked;
    ClassicGame = true;
    ShowGrid = true;
    PlayerTurn = true;
}

void GameState::ComputeScore() {
    Score = ClassicGame ? PlayerCount - ComputerCount : PlayerCount + 500 - ComputerCount;
}

}  // namespace dyeland
