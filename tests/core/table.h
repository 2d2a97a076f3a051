// A game on a fake window for the core's tests, with ways to deal it a chosen board or to set
// up a position in the middle of a game; and the checks and the scripted player that the
// whole-game tests on the fake and on the real window share.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>

#include "board_text.h"
#include "fake_host.h"
#include "game/game.h"
#include "turns/region_capture.h"

namespace dyeland::testing {

// Uniform values in [0, 1) from a fixed seed; 53 random bits never round up to 1.
inline std::function<double()> SeededSource(std::uint64_t seed) {
    return [gen = std::mt19937_64(seed)]() mutable {
        return static_cast<double>(gen() >> 11) * 0x1p-53;
    };
}

// Marks on every cell of the rectangle from (x1, y1) to (x2, y2), both included.
inline Grid Block(int x1, int y1, int x2, int y2) {
    Grid g;
    for (int x = x1; x <= x2; ++x) {
        for (int y = y1; y <= y2; ++y)
            g(x, y) = Marked;
    }
    return g;
}

inline Grid Together(Grid a, const Grid& b) {
    for (int i = 0; i < CellCount; ++i) {
        if (b.cells[i] == Marked) a.cells[i] = Marked;
    }
    return a;
}

// A side's region right after its own move: the count is its number of marks and every
// marked cell shows the side's colour.
inline ::testing::AssertionResult RegionIsPainted(const Grid& marks, const Grid& colors, int colour,
                                                  int count) {
    if (CountMarks(marks) != count) {
        return ::testing::AssertionFailure()
               << "count " << count << " but " << CountMarks(marks) << " marks";
    }
    for (int i = 0; i < CellCount; ++i) {
        if (marks.cells[i] == Marked && colors.cells[i] != colour) {
            return ::testing::AssertionFailure()
                   << "cell (" << i % BoardSide << ", " << i / BoardSide << ") shows "
                   << colors.cells[i] << ", not " << colour;
        }
    }
    return ::testing::AssertionSuccess();
}

// Every cell holds a colour of 8 to 15, or 0 where a move before the player's first pick
// painted black.
inline ::testing::AssertionResult BoardIsPlayable(const Grid& colors, bool blackAllowed = false) {
    for (int i = 0; i < CellCount; ++i) {
        const int c = colors.cells[i];
        if ((c < FirstColour || c > LastColour) && !(c == 0 && blackAllowed)) {
            return ::testing::AssertionFailure()
                   << "cell (" << i % BoardSide << ", " << i / BoardSide << ") holds " << c;
        }
    }
    return ::testing::AssertionSuccess();
}

// The colour a scripted player picks: the one that grows its region most (or, when meek, least),
// never the computer's.
inline int ScriptedPick(const GameState& s, bool greedy = true) {
    int best = -1, bestGain = 0;
    for (int colour = FirstColour; colour <= LastColour; ++colour) {
        if (colour == s.ComputerColor) continue;
        Grid marks = s.PlayerMarks;
        GrowRegion(marks, s.Colors, colour, SweepOrder::Player);
        const int gain = CountMarks(marks);
        if (best < 0 || (greedy ? gain > bestGain : gain < bestGain)) {
            best = colour;
            bestGain = gain;
        }
    }
    return best;
}

struct Table {
    FakeHost host;
    Game game{host};
    GameState& s = game.state;

    explicit Table(std::uint64_t seed = 1) {
        host.randomSource = SeededSource(seed);
        game.Form_Load();
    }

    // The new game deals this board: one random value per cell, in the order of the deal.
    void QueueBoard(const Grid& board) {
        for (int x = 0; x < BoardSide; ++x) {
            for (int y = 0; y < BoardSide; ++y) {
                host.randoms.push_back((board(x, y) - FirstColour + 0.5) / 8);
            }
        }
    }
    void Deal(const Grid& board) {
        QueueBoard(board);
        game.cmdStart_Click();
    }

    // A game under way, without the new game's deal and opening.
    void Position(const Grid& colors, const Grid& playerMarks, const Grid& computerMarks,
                  int playerColour, int computerColour) {
        s.Colors = colors;
        s.PlayerMarks = playerMarks;
        s.ComputerMarks = computerMarks;
        s.PlayerColor = static_cast<std::int16_t>(playerColour);
        s.ComputerColor = computerColour;
        s.OpeningMoves = 5;
    }

    // The player's region is the 450 cells of the left half and one cell of colour 11 touches it
    // (every other cell holds 0): picker 3 wins, picker 2 leaves exactly half the board.
    void PlayerAtTheEdge() {
        Position(BoardFromText("...............3", 0), Block(0, 0, 14, 29), Block(29, 29, 29, 29),
                 0, 12);
        s.ComputerCount = 300;
    }

    // The computer's region is the 450 cells of the right half and, with oneMore, one cell of
    // colour 9 touches it (every other cell holds 0); the player holds 200 cells.
    void ComputerAtTheEdge(bool oneMore = true) {
        Position(BoardFromText(oneMore ? "..............1" : "", 0), Block(0, 29, 0, 29),
                 Block(15, 0, 29, 29), 10, 12);
        s.PlayerCount = 200;
        s.PlayerTurn = false;
    }

    // A picker whose colour the computer does not hold.
    int FreePicker() const { return s.ComputerColor == FirstColour ? 1 : 0; }

    // Forgets what the window saw so far; the test then looks at one step only.
    void Forget() {
        host.draws.clear();
        host.timerSwitches.clear();
        host.questions.clear();
        host.captions.clear();
        host.beeps = host.yields = host.stepFocus = host.randomDraws = 0;
    }
};

}  // namespace dyeland::testing
