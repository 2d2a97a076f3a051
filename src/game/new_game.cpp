// The new game: a fresh random board drawn twice, the variant's high score, the player's start
// region, and the computer's opening move as the last step.
#include <algorithm>
#include <charconv>
#include <string>

#include "game/game.h"

namespace dyeland {

std::string ShortestText(float value) {
    char text[32];
    auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? std::string(text, end) : std::string("0");
}

void Game::NewGame() {
    if (ended_) return;
    GameState& s = state;
    window_.SetTimerEnabled(Timer::TurnClock, false);
    // The first pass goes straight to the screen so the new board shows at once.
    window_.SetAutoRedraw(false);
    window_.SetCaption(Caption::StartButton, "New game");

    s.OpeningMoves = 0;
    s.PlayerCount = 0;
    s.ComputerCount = 0;
    s.PlayerMarks.Fill(0);
    s.ComputerMarks.Fill(0);
    s.PlayerMarks(PlayerStartX, PlayerStartY) = Marked;
    if (s.ClassicGame) {
        s.ComputerMarks(ClassicStartX, ClassicStartY) = Marked;
    } else {
        s.ComputerMarks(CentreStartX, CentreStartY) = Marked;
    }
    ReadHighScore();
    if (ended_) return;
    window_.SetCaption(Caption::HighScore, ShortestText(s.HighScore));

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
            s.Colors(x, y) = static_cast<std::int16_t>(RandomColour(sources_.Random()));
        }
    }

    DrawBoard();
    // The second, identical pass builds the retained image that every repaint shows.
    window_.SetAutoRedraw(true);
    DrawBoard();

    // The start region is only marked: its cells already show the start cell's colour, and
    // neither count moves before each side's first regular move.
    GrowRegion(s.PlayerMarks, s.Colors, s.Colors(PlayerStartX, PlayerStartY), SweepOrder::Player);
    ReleaseComputerCorner(false);

    // The computer always opens a game.
    PlayOpeningMove();
    window_.Tell(GameEvent::BoardDealt);
}

}  // namespace dyeland
