// Load values and the two small operations on the game state.
#include "game/game_state.h"

#include <cmath>

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

int RandomColour(double r) {
    int step = std::isfinite(r) ? static_cast<int>(std::floor(r * 8)) : 0;
    if (step < 0) step = 0;
    if (step > 7) step = 7;
    return FirstColour + step;
}

}  // namespace dyeland
