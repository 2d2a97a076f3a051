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
    host_.SetAutoRedraw(true);
    if (s.OpeningMoves < CornerReleaseTurns) {
        ++s.OpeningMoves;
        ReleaseComputerCorner(true);
    }

    RateColours();
    s.ChoiceAttempt = 1;
    // A click, a tick or a menu command may run here to its end, a whole nested move
    // included; the pick below then works from whatever they left.
    host_.ProcessPendingEvents();
    if (ended_) return;

    int randomAttempts = 0;
    for (;;) {
        int pick;
        switch (s.ChoiceAttempt) {
            case 1:
                pick = s.Best1;
                s.ChoiceAttempt = 2;
                break;
            case 2:
                pick = s.Best2;
                s.ChoiceAttempt = 3;
                break;
            case 3:
                pick = LastColour;
                s.ChoiceAttempt = 4;
                break;
            default:
                pick = RandomColour(host_.Rnd());
                if (++randomAttempts > RandomAttemptLimit) pick = FirstAllowedColour();
                break;
        }
        if (pick != s.ComputerColor && pick != s.PlayerColor) {
            s.ChoiceAttempt = 1;
            s.ChosenColor = static_cast<std::int16_t>(pick);
            break;
        }
    }
    host_.SetCaption(Caption::ComputersColour, std::to_string(s.ChosenColor));
    s.ComputerColor = s.ChosenColor;

    GrowRegion(s.ComputerMarks, s.Colors, s.ComputerColor, SweepOrder::Computer);
    s.ComputerCount = PaintRegion(s.ComputerMarks, s.Colors, s.ComputerColor);
    DrawBoard();
    s.ComputeScore();
    if (s.ComputerCount > WinningCount &&
        !EndOfGame("Do you want new game?", "No..! Yor score = ")) {
        return;
    }

    s.PlayerTurn = true;
    // A running clock keeps its schedule; only a stopped one starts a fresh interval.
    if (host_.IsChecked(MenuItem::Arcade) && !host_.IsTimerEnabled(Timer::TurnClock)) {
        host_.SetTimerEnabled(Timer::TurnClock, true);
    }
    host_.FocusStepButton();
}

int Game::FirstAllowedColour() const {
    int colour = FirstColour;
    while (colour == state.ComputerColor || colour == state.PlayerColor) {
        ++colour;
    }
    return colour;
}

}  // namespace dyeland
