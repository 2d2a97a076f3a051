// The state the program starts with, and the score.
#include "game/GameState.h"

namespace dyeland {

GameState::GameState() {
    playerMarks(PlayerStartX, PlayerStartY) = Marked;
    computerMarks(ClassicStartX, ClassicStartY) = Marked;
}

void GameState::ComputeScore() {
    score = classicGame ? playerCount - computerCount : playerCount + 500 - computerCount;
}

}  // namespace dyeland
