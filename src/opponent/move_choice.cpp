// The computer's rating of the eight colours: a trial capture per colour on a scratch copy of
// its region, each tally weighed as it comes, with a short history of leaders.
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
    // A tally that only equals the best still takes the lead, so ties go to the later colour
    // and Best2 is the leader the final Best1 displaced, not the runner-up by tally.
    int best3 = 1, bestCount = 0;
    s.Best1 = s.Best2 = 1;
    for (int k = 1; k <= Colours; ++k) {
        // The trial grows exactly as the real move would, so the played colour's tally is
        // the region's size after the move.
        Grid trial = s.ComputerMarks;
        GrowRegion(trial, s.Colors, k + FirstColour - 1, SweepOrder::Computer);
        const int tally = CountMarks(trial);
        if (tally < bestCount) continue;
        bestCount = tally;
        s.Best5 = s.Best4;
        window_.SetCaption(Caption::EarliestLeader, HistoryText(s.Best5));
        s.Best4 = best3;
        window_.SetCaption(Caption::EarlierLeader, HistoryText(s.Best4));
        best3 = s.Best2;
        s.Best2 = s.Best1;
        s.Best1 = k;
    }
    s.Best1 += FirstColour - 1;
    s.Best2 += FirstColour - 1;
}

}  // namespace dyeland
