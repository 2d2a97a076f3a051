// The Game and Options menus and the Exit button: the variant, the grid lines, the Arcade
// mode, a new game, clearing the high scores and ending the program.
#include "game/game.h"

namespace dyeland {

void Game::mnuNGames_Click() {
    if (ended_) return;
    cmdStart_Click();
}

void Game::mnuExit_Click() {
    EndProgram();
}

void Game::Command2_Click() {
    EndProgram();
}

// Both variant commands abandon the game in progress, even for the variant already played.
void Game::mnuClassic_Click() {
    if (ended_) return;
    state.ClassicGame = true;
    host_.SetChecked(MenuItem::mnuCenture, false);
    host_.SetChecked(MenuItem::mnuClassic, true);
    cmdStart_Click();
}

void Game::mnuCenture_Click() {
    if (ended_) return;
    state.ClassicGame = false;
    host_.SetChecked(MenuItem::mnuCenture, true);
    host_.SetChecked(MenuItem::mnuClassic, false);
    cmdStart_Click();
}

void Game::mnuLine_Click() {
    if (ended_) return;
    const bool show = !host_.IsChecked(MenuItem::mnuLine);
    host_.SetChecked(MenuItem::mnuLine, show);
    state.ShowGrid = show;
    DrawBoard();
}

// The check mark is the Arcade mode itself; the clock follows it only at the end of the next
// computer turn.
void Game::mnuArcade_Click() {
    if (ended_) return;
    host_.SetChecked(MenuItem::mnuArcade, !host_.IsChecked(MenuItem::mnuArcade));
}

void Game::mnuScor_Click() {
    if (ended_) return;
    const bool yes = Ask("Do you want to kill file resultates ?", AppTitle);
    if (ended_ || !yes) return;
    DeleteHighScoreFile();
    if (ended_) return;
    cmdStart_Click();
}

}  // namespace dyeland
