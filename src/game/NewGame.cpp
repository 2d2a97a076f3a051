// The new game: a fresh random board, the variant's high score, the player's start region, and
// the computer's opening move as the last step.
#include <algorithm>

#include "game/Game.h"

namespace dyeland {

void Game::NewGame() {
    if (ended_) return;
    GameState& s = state_;
    StopClock();
    pickUnanswered_ = false;

    s.openingMoves = 0;
    s.playerCount = 0;
    s.computerCount = 0;
    s.playerMarks.Fill(0);
    s.computerMarks.Fill(0);
    s.playerMarks(PlayerStartX, PlayerStartY) = Marked;
    if (s.classicGame) {
        s.computerMarks(ClassicStartX, ClassicStartY) = Marked;
    } else {
        s.computerMarks(CentreStartX, CentreStartY) = Marked;
    }
    ReadHighScore();

    // Draws thrown away on purpose: how long the player waited before the first deal varies
    // the deals. Later deals draw only their cells.
    if (!warmUpDone_) {
        warmUpDone_ = true;
        const std::int64_t draws = std::clamp<std::int64_t>(
            sources_.MillisecondsSinceStart() / WarmUpTickMs, 0, WarmUpDrawLimit);
        for (std::int64_t i = 0; i < draws; ++i)
            (void)sources_.Random();
    }
    for (int x = 0; x < BoardSide; ++x) {
        for (int y = 0; y < BoardSide; ++y) {
            s.colours(x, y) = static_cast<std::int16_t>(RandomColour(sources_.Random()));
        }
    }
    TellBoardChanged();

    // The start region is only marked: its cells already show the start cell's colour, and
    // neither count moves before each side's first regular move.
    GrowRegion(s.playerMarks, s.colours, s.colours(PlayerStartX, PlayerStartY), SweepOrder::Player);
    ReleaseComputerCorner(false);

    // The computer opens every game.
    PlayOpeningMove();
    Tell(GameEvent::Kind::BoardDealt);
}

}  // namespace dyeland
