// A game on a fake view for the core's tests, and the checks and the scripted player that the
// whole-game tests on the fake and on the real window share.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "FakeHost.h"
#include "game/Game.h"

namespace dyeland::test {

// The board right after a side's move: the count is the number of the side's marks, every
// marked cell shows its colour and every other cell one of 8 to 15, or 0 where a move before
// the player's first pick painted black.
inline ::testing::AssertionResult AfterMove(const Grid& marks, const Grid& colours, int colour,
                                            int count, bool blackAllowed = false) {
    for (int i = 0; i < CellCount; ++i) {
        const int c = colours.cells[i];
        const bool playable = (c >= FirstColour && c <= LastColour) || (c == 0 && blackAllowed);
        if (marks.cells[i] == Marked ? c != colour : !playable)
            return ::testing::AssertionFailure() << "cell " << i << " holds " << c;
    }
    if (CountMarks(marks) == count) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "count " << count << " for " << CountMarks(marks);
}

// The colour a scripted player picks: the one that grows its region most (or, when meek,
// least), never the computer's.
inline int ScriptedPick(const GameState& s, bool greedy = true) {
    int best = -1, bestGain = 0;
    for (int colour = FirstColour; colour <= LastColour; ++colour) {
        const int gain = CaptureGain(s.playerMarks, s.colours, colour, SweepOrder::Player);
        if (colour != s.computerColour &&
            (best < 0 || (greedy ? gain > bestGain : gain < bestGain)))
            best = colour, bestGain = gain;
    }
    return best;
}

struct Table {
    FakeHost host;
    Game game{host.Parts()};
    GameState& s = game.ArrangeForTest();

    explicit Table(std::uint64_t seed = 1) {
        host.Seed(seed);
        host.watched = &game.State();
    }

    // A game under way past the first five computer turns, without the deal and the opening: the
    // player's region empty, the computer's its corner cell.
    void Position(const Grid& colours, int playerColour, int computerColour) {
        s.colours = colours;
        s.playerMarks = s.computerMarks = Grid{};
        s.computerMarks(29, 0) = Marked;
        s.playerColour = static_cast<std::int16_t>(playerColour);
        s.computerColour = computerColour;
        s.openingMoves = 5;
    }
};

}  // namespace dyeland::test
