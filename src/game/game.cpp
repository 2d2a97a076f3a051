// The window's life outside the rules (load values, the ticks, modal boxes, the end of the
// program) and the steps that several handlers share: the end of a game, the corner release.
#include "game/game.h"

#include <string>
#include <utility>

namespace dyeland {

void Game::SetUp() {
    state.SetStartValues();
    window_.SetAutoRedraw(true);
}

void Game::ShowCounts() {
    if (ended_) return;
    window_.SetCaption(Caption::PlayerCount, std::to_string(state.PlayerCount));
    window_.SetCaption(Caption::ComputerCount, std::to_string(state.ComputerCount));
}

void Game::EndProgram() {
    if (ended_) return;
    ended_ = true;
    window_.EndProgram();
}

bool Game::Ask(std::string_view prompt, std::string_view title) {
    ++openBoxes_;
    bool yes = window_.AskYesNo(prompt, title);
    --openBoxes_;
    return yes;
}

void Game::Warn(std::string_view text) {
    ++openBoxes_;
    window_.ShowWarning(text, AppTitle);
    --openBoxes_;
}

void Game::Grow(Side side) {
    GameState& s = state;
    const bool player = side == Side::Player;
    Grid& marks = player ? s.PlayerMarks : s.ComputerMarks;
    const int colour = player ? s.PlayerColor : s.ComputerColor;
    GrowRegion(marks, s.Colors, colour, player ? SweepOrder::Player : SweepOrder::Computer);
    (player ? s.PlayerCount : s.ComputerCount) = PaintRegion(marks, s.Colors, colour);
    DrawBoard();
    s.ComputeScore();
}

bool Game::GameGoesOnAfter(Side side) {
    const bool player = side == Side::Player;
    if ((player ? state.PlayerCount : state.ComputerCount) <= WinningCount) return true;
    SaveHighScore();
    // A failed save shows a warning box first; the question still follows it.
    if (ended_) return false;
    window_.Tell(player ? GameEvent::PlayerWon : GameEvent::ComputerWon);
    const std::string title =
        (player ? "Yes..! Yor score = " : "No..! Yor score = ") + std::to_string(state.Score);
    const bool yes = Ask(player ? "Do you want new games ?" : "Do you want new game?", title);
    if (ended_) return false;
    if (!yes) {
        EndProgram();
        return false;
    }
    NewGame();
    return !ended_;
}

void Game::ReleaseComputerCorner(bool wholeBlock) {
    // The computer's Classic start cell and its neighbours must never begin a game, or be
    // kept early on, inside the player's region.
    Grid& marks = state.PlayerMarks;
    for (auto [x, y] : {std::pair{29, 1}, std::pair{28, 0}, std::pair{29, 0}}) {
        if (marks(x, y) == Marked) marks(x, y) = 0;
    }
    if (wholeBlock && marks(28, 1) == Marked) marks(28, 1) = 0;
}

}  // namespace dyeland
