// The Arcade clock's tick: the player was too slow, so the computer moves again.
#include "game/game.h"

namespace dyeland {

void Game::TurnClockRanOut() {
    if (ended_) return;
    // A modal box runs its own event loop and the clock keeps ticking in it; a move there
    // would play on behind an open end-of-game question and stack another one.
    if (QuestionOpen()) return;
    window_.Beep();
    PlayComputersTurn();
}

}  // namespace dyeland
