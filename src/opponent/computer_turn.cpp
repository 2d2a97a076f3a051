// The computer's turn: release of the top-right corner early in a game, the evaluation, the
// one yield to pending events, the pick, the move, and the computer's win.
#include <string>

#include "game/game.h"

namespace dyeland {

namespace {

// The first five computer turns of a game free the top-right block of the player's marks.
constexpr int CornerReleaseTurns = 5;
// A uniform source turns up an allowed colour with a chance of at least 3 in 4 per draw; a
// source stuck on a refused colour must still not hang the window.
constexpr int RandomAttemptLimit = 100;

}  // namespace

void Game::PlayComputersTurn() {
    if (ended_) return;
    GameState& s = state;
    window_.SetAutoRedraw(true);
    if (s.OpeningMoves < CornerReleaseTurns) {
        ++s.OpeningMoves;
        ReleaseComputerCorner(true);
    }

    RateColours();
    // A click, a tick or a menu command may run here to its end, a whole nested move
    // included; the pick below then works from whatever they left.
    window_.ProcessPendingEvents();
    if (ended_) return;

    // The first of the last leader, the leader it displaced, colour 15 and random colours that
    // neither side holds.
    int randomAttempts = 0;
    int pick = s.Best1;
    for (int attempt = 1; pick == s.ComputerColor || pick == s.PlayerColor; ++attempt) {
        if (attempt == 1) {
            pick = s.Best2;
        } else if (attempt == 2) {
            pick = LastColour;
        } else {
            pick = RandomColour(sources_.Random());
            if (++randomAttempts > RandomAttemptLimit) pick = FirstAllowedColour();
        }
    }
    window_.SetCaption(Caption::ComputersColour, std::to_string(pick));
    s.ComputerColor = pick;

    Grow(Side::Computer);
    if (!GameGoesOnAfter(Side::Computer)) return;

    s.PlayerTurn = true;
    // A running clock keeps its schedule; only a stopped one starts a fresh interval.
    if (window_.IsChecked(MenuItem::Arcade) && !window_.IsTimerEnabled(Timer::TurnClock)) {
        window_.SetTimerEnabled(Timer::TurnClock, true);
    }
    window_.Tell(GameEvent::ComputerMoved);
    window_.FocusStepButton();
}

int Game::FirstAllowedColour() const {
    int colour = FirstColour;
    while (colour == state.ComputerColor || colour == state.PlayerColor) {
        ++colour;
    }
    return colour;
}

}  // namespace dyeland
