// The turns: the Arcade clock, the player's pick and move, the computer's opening, and the
// computer's turn with its one yield to pending events, each ending in a win or the hand-over.
#include <limits>

#include "game/ComputerPlayer.h"
#include "game/Game.h"

namespace dyeland {

namespace {

// The first five computer turns of a game free the top-right block of the player's marks.
constexpr int CornerReleaseTurns = 5;

}  // namespace

void Game::StopClock() {
    if (!state_.clockRuns) return;
    state_.clockRuns = false;
    Tell(GameEvent::Kind::ClockStopped);
}

void Game::TurnClockRanOut() {
    if (ended_) return;
    // A modal box runs its own event loop and the clock keeps ticking in it; a move there
    // would play on behind an open end-of-game question and stack another one.
    if (QuestionOpen()) return;
    view_.Beep();
    PlayComputersTurn();
}

void Game::PickColour(int box) {
    if (ended_) return;
    // Only the eight pickers exist; anything else would put a colour outside the game in play.
    if (box < 0 || box > LastColour - FirstColour) return;
    // The player's move is shown but not kept; the computer's move that follows is.
    pickUnanswered_ = true;
    // A click handled in the middle of a computer turn started by a click keeps the colour
    // of that first click.
    if (state_.playerTurn) state_.playerColour = static_cast<std::int16_t>(box + FirstColour);
    state_.playerTurn = false;
    if (state_.arcade) StopClock();
    PlayPlayersMove();
}

void Game::PlayPlayersMove() {
    if (ended_) return;
    GameState& s = state_;
    if (s.computerColour == s.playerColour) {
        s.playerTurn = true;
        view_.Beep();
        Tell(GameEvent::Kind::PickRefused, Side::Player, s.playerColour);
        return;
    }

    Grow(Side::Player);
    // The counter outlives games; at its 16-bit limit it stays there rather than wrap.
    if (s.playerMoves < std::numeric_limits<std::int16_t>::max()) ++s.playerMoves;
    Tell(GameEvent::Kind::Moved, Side::Player, s.playerColour);
    // After a win answered Yes the computer makes the first move of the new game.
    if (GameGoesOnAfter(Side::Player)) PlayComputersTurn();
}

// The computer's opening: its start region grows over the colour of the top-right cell, which
// becomes the colour the player's first pick is tested against.
void Game::PlayOpeningMove() {
    if (ended_) return;
    GameState& s = state_;
    pickUnanswered_ = false;
    ReleaseComputerCorner(false);
    // The top-right cell sets the colour in both variants, so in the centre game the region
    // grows from (15, 15) only over touching cells that happen to share that colour.
    s.computerColour = s.colours(ClassicStartX, ClassicStartY);
    GrowRegion(s.computerMarks, s.colours, s.computerColour, SweepOrder::Computer);
    Tell(GameEvent::Kind::OpeningMovePlayed, Side::Computer, s.computerColour);
}

void Game::PlayComputersTurn() {
    if (ended_) return;
    GameState& s = state_;
    pickUnanswered_ = false;
    if (s.openingMoves < CornerReleaseTurns) {
        ++s.openingMoves;
        ReleaseComputerCorner(true);
    }

    RateColours(s);
    Tell(GameEvent::Kind::ColoursRated, Side::Computer);
    // A click, a tick or a menu command may run here to its end, a whole nested move
    // included; the choice below then works from whatever they left.
    view_.ProcessPendingEvents();
    if (ended_) return;

    s.computerColour = ChooseColour(s, sources_);
    Grow(Side::Computer);
    Tell(GameEvent::Kind::Moved, Side::Computer, s.computerColour);
    if (!GameGoesOnAfter(Side::Computer)) return;

    s.playerTurn = true;
    // A running clock keeps its schedule; only a stopped one starts a fresh interval.
    if (s.arcade && !s.clockRuns) {
        s.clockRuns = true;
        Tell(GameEvent::Kind::ClockStarted);
    }
    Tell(GameEvent::Kind::PlayerToPick);
}

}  // namespace dyeland
