// placeholder: filled in by the game logic work
#include "game/game.h"

namespace dyeland {
void Game::cmdOppoStart_Click() {}
}  // namespace dyeland
