// The player's half of a turn: a picker click, the move itself, the player's win, and the
// hand-over to the computer.
#include <limits>
#include <string>

#include "game/game.h"

namespace dyeland {

void Game::PickColour(int box) {
    if (ended_) return;
    // Only the eight pickers exist; anything else would put a colour outside the game in play.
    if (box < 0 || box > LastColour - FirstColour) return;
    // The player's redraw goes to the screen only; the computer's move that follows brings
    // the retained image up to date.
    window_.SetAutoRedraw(false);
    // A click handled in the middle of a computer turn started by a click keeps the colour
    // of that first click.
    if (state.PlayerTurn) state.PlayerColor = static_cast<std::int16_t>(box + FirstColour);
    state.PlayerTurn = false;
    if (window_.IsChecked(MenuItem::Arcade) && window_.IsTimerEnabled(Timer::TurnClock)) {
        window_.SetTimerEnabled(Timer::TurnClock, false);
    }
    PlayPlayersMove();
}

void Game::PlayPlayersMove() {
    if (ended_) return;
    GameState& s = state;
    if (s.ComputerColor == s.PlayerColor) {
        s.PlayerTurn = true;
        window_.Beep();
        window_.Tell(GameEvent::PickRefused);
        return;
    }

    Grow(Side::Player);
    // The counter outlives games; at its 16-bit limit it stays there rather than wrap.
    if (s.PlayerMoves < std::numeric_limits<std::int16_t>::max()) ++s.PlayerMoves;
    window_.SetCaption(Caption::PlayerMoves, std::to_string(s.PlayerMoves));
    // After a win answered Yes the computer makes the first move of the new game.
    if (GameGoesOnAfter(Side::Player)) PlayComputersTurn();
}

}  // namespace dyeland
