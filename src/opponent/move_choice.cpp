// The computer's rating of the eight colours: a trial capture per colour on a scratch copy of
// its region, then a walk over the tallies that keeps a short history of leaders.
#include <algorithm>
#include <string>

#include "game/game.h"

namespace dyeland {

namespace {

std::string HistoryText(const std::optional<int>& entry) {
    return entry ? std::to_string(*entry) : std::string();
}

}  // namespace

void Game::RateColours() {
    if (ended_) return;
    GameState& s = state;
    constexpr int Colours = LastColour - FirstColour + 1;
    std::fill(s.ColorTally.begin() + 1, s.ColorTally.end(), 0);

    for (int k = 1; k <= Colours; ++k) {
        s.TrialIndex = k;
        s.TrialColor = k + FirstColour - 1;
        s.CopyComputerMarks();
        // The trial grows exactly as the real move would, so the played colour's tally is
        // the region's size after the move.
        GrowRegion(s.ComputerMarksCopy, s.Colors, s.TrialColor, SweepOrder::Computer);
        s.ColorTally[k] = static_cast<std::int16_t>(CountMarks(s.ComputerMarksCopy));
    }

    // A tally that only equals the best still takes the lead, so ties go to the later colour
    // and Best2 is the leader the final Best1 displaced, not the runner-up by tally.
    s.Best1 = s.Best2 = s.Best3 = 1;
    s.BestCount = 0;
    for (int k = 1; k <= Colours; ++k) {
        s.TrialIndex = k;
        if (s.ColorTally[k] < s.BestCount) continue;
        s.BestCount = s.ColorTally[k];
        s.Best5 = s.Best4;
        host_.SetCaption(Caption::EarliestLeader, HistoryText(s.Best5));
        s.Best4 = s.Best3;
        host_.SetCaption(Caption::EarlierLeader, HistoryText(s.Best4));
        s.Best3 = s.Best2;
        s.Best2 = s.Best1;
        s.Best1 = k;
    }
    s.Best1 += FirstColour - 1;
    s.Best2 += FirstColour - 1;
}

}  // namespace dyeland
