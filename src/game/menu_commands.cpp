// The Game and Options menus and the Exit button: the variant, the grid lines, the Arcade
// mode, a new game, clearing the high scores and ending the program.
#include "game/game.h"

namespace dyeland {

void Game::Exit() {
    EndProgram();
}

// Both variant commands abandon the game in progress, even for the variant already played.
void Game::ChooseClassic() {
    if (ended_) return;
    state.ClassicGame = true;
    window_.SetChecked(MenuItem::FromTheCentre, false);
    window_.SetChecked(MenuItem::Classic, true);
    NewGame();
}

void Game::ChooseFromTheCentre() {
    if (ended_) return;
    state.ClassicGame = false;
    window_.SetChecked(MenuItem::FromTheCentre, true);
    window_.SetChecked(MenuItem::Classic, false);
    NewGame();
}

void Game::ToggleGridLines() {
    if (ended_) return;
    const bool show = !window_.IsChecked(MenuItem::GridLines);
    window_.SetChecked(MenuItem::GridLines, show);
    state.ShowGrid = show;
    DrawBoard();
}

// The check mark is the Arcade mode itself; the clock follows it only at the end of the next
// computer turn.
void Game::ToggleArcade() {
    if (ended_) return;
    window_.SetChecked(MenuItem::Arcade, !window_.IsChecked(MenuItem::Arcade));
}

void Game::ClearHighScores() {
    if (ended_) return;
    const bool yes = Ask("Do you want to kill file resultates ?", AppTitle);
    if (ended_ || !yes) return;
    DeleteHighScoreFile();
    if (ended_) return;
    NewGame();
}

}  // namespace dyeland
