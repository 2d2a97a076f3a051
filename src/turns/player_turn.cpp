// placeholder: filled in by the game logic work
#include "game/game.h"

namespace dyeland {
void Game::sPicture9_Click(int) {}
void Game::cmdStep_Click() {}
}  // namespace dyeland
