// The game outside its turns: the options, the modal boxes, the end of the program, the end of
// a game, the corner release, and the questions a window asks.
#include "game/Game.h"

#include <string>
#include <utility>

namespace dyeland {

void Game::Tell(GameEvent::Kind kind, Side side, int colour) {
    view_.Tell({.kind = kind, .side = side, .colour = colour});
}

void Game::TellBoardChanged() {
    view_.Tell({.kind = GameEvent::Kind::BoardChanged, .kept = !pickUnanswered_});
}

void Game::Exit() {
    EndProgram();
}

void Game::EndProgram() {
    if (ended_) return;
    ended_ = true;
    view_.EndProgram();
}

bool Game::Ask(std::string_view prompt, std::string_view title) {
    ++openBoxes_;
    const bool yes = view_.AskYesNo(prompt, title);
    --openBoxes_;
    return yes;
}

void Game::Warn(std::string_view text) {
    ++openBoxes_;
    view_.ShowWarning(text, AppTitle);
    --openBoxes_;
}

void Game::ChooseClassic() {
    if (ended_) return;
    state_.classicGame = true;
    Tell(GameEvent::Kind::OptionsChanged);
    NewGame();
}

void Game::ChooseFromTheCentre() {
    if (ended_) return;
    state_.classicGame = false;
    Tell(GameEvent::Kind::OptionsChanged);
    NewGame();
}

void Game::ToggleGridLines() {
    if (ended_) return;
    state_.showGrid = !state_.showGrid;
    Tell(GameEvent::Kind::OptionsChanged);
    TellBoardChanged();
}

// Arcade itself starts and stops nothing: the clock follows it only at the end of the next
// computer turn.
void Game::ToggleArcade() {
    if (ended_) return;
    state_.arcade = !state_.arcade;
    Tell(GameEvent::Kind::OptionsChanged);
}

void Game::ClearHighScores() {
    if (ended_) return;
    const bool yes = Ask("Do you want to kill file resultates ?", AppTitle);
    if (ended_ || !yes) return;
    DeleteHighScoreFile();
    if (ended_) return;
    NewGame();
}

void Game::Grow(Side side) {
    const bool player = side == Side::Player;
    Grid& marks = player ? state_.playerMarks : state_.computerMarks;
    const int colour = player ? state_.playerColour : state_.computerColour;
    GrowRegion(marks, state_.colours, colour, player ? SweepOrder::Player : SweepOrder::Computer);
    (player ? state_.playerCount : state_.computerCount) =
        PaintRegion(marks, state_.colours, colour);
    TellBoardChanged();
    state_.ComputeScore();
}

bool Game::GameGoesOnAfter(Side side) {
    const bool player = side == Side::Player;
    if ((player ? state_.playerCount : state_.computerCount) <= WinningCount) return true;
    SaveHighScore();
    // A failed save shows a warning box first; the question still follows it.
    if (ended_) return false;
    Tell(GameEvent::Kind::Won, side);
    const std::string title =
        (player ? "Yes..! Yor score = " : "No..! Yor score = ") + std::to_string(state_.score);
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
    Grid& marks = state_.playerMarks;
    for (auto [x, y] : {std::pair{29, 1}, std::pair{28, 0}, std::pair{29, 0}}) {
        if (marks(x, y) == Marked) marks(x, y) = 0;
    }
    if (wholeBlock && marks(28, 1) == Marked) marks(28, 1) = 0;
}

int Game::RegionSize(Side side) const {
    return CountMarks(side == Side::Player ? state_.playerMarks : state_.computerMarks);
}

std::optional<Side> Game::Owner(int x, int y) const {
    if (state_.playerMarks(x, y) == Marked) return Side::Player;
    if (state_.computerMarks(x, y) == Marked) return Side::Computer;
    return std::nullopt;
}

// The player's colour is the one the region shows, which after a new game is the start cell's.
PickPreview Game::Preview(int colour) const {
    return {.refused = colour == state_.computerColour,
            .yours = colour == state_.colours(PlayerStartX, PlayerStartY),
            .gain = CaptureGain(state_.playerMarks, state_.colours, colour, SweepOrder::Player)};
}

}  // namespace dyeland
