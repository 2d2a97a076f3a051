// The computer's rating of the eight colours, each tally weighed as it comes, with a short
// history of leaders, and its choice among them.
#include "game/ComputerPlayer.h"

namespace dyeland {

namespace {

// A uniform source turns up an allowed colour with a chance of at least 3 in 4 per draw; a
// source stuck on a refused colour must still not hang the window.
constexpr int RandomAttemptLimit = 100;

// The lowest colour neither side holds.
int FirstAllowedColour(const GameState& s) {
    int colour = FirstColour;
    while (colour == s.computerColour || colour == s.playerColour) {
        ++colour;
    }
    return colour;
}

}  // namespace

void RateColours(GameState& s) {
    constexpr int Colours = LastColour - FirstColour + 1;
    // A tally that only equals the best still takes the lead, so ties go to the later colour
    // and best2 is the leader the final best1 displaced, not the runner-up by tally.
    int best3 = 1, bestCount = 0;
    s.best1 = s.best2 = 1;
    for (int k = 1; k <= Colours; ++k) {
        // The trial grows exactly as the real move would, so the played colour's tally is
        // the region's size after the move.
        Grid trial = s.computerMarks;
        GrowRegion(trial, s.colours, k + FirstColour - 1, SweepOrder::Computer);
        const int tally = CountMarks(trial);
        if (tally < bestCount) continue;
        bestCount = tally;
        s.best5 = s.best4;
        s.best4 = best3;
        best3 = s.best2;
        s.best2 = s.best1;
        s.best1 = k;
    }
    s.best1 += FirstColour - 1;
    s.best2 += FirstColour - 1;
}

int ChooseColour(const GameState& s, Sources& random) {
    int randomAttempts = 0;
    int pick = s.best1;
    for (int attempt = 1; pick == s.computerColour || pick == s.playerColour; ++attempt) {
        if (attempt == 1) {
            pick = s.best2;
        } else if (attempt == 2) {
            pick = LastColour;
        } else {
            pick = RandomColour(random.Random());
            if (++randomAttempts > RandomAttemptLimit) pick = FirstAllowedColour(s);
        }
    }
    return pick;
}

}  // namespace dyeland
