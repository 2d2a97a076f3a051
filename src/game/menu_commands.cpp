// placeholder: filled in by the game logic work
#include "game/game.h"

namespace dyeland {
void Game::mnuNGames_Click() {}
void Game::mnuExit_Click() {}
void Game::Command2_Click() {}
void Game::mnuClassic_Click() {}
void Game::mnuCenture_Click() {}
void Game::mnuLine_Click() {}
void Game::mnuArcade_Click() {}
void Game::mnuScor_Click() {}
}  // namespace dyeland
