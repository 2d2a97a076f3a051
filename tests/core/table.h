// A game on a fake window for the core's tests, with ways to deal it a chosen board or to set
// up a position in the middle of a game.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <random>

#include "board_text.h"
#include "fake_host.h"
#include "game/game.h"

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
    if (CountOf(marks) != count) {
        return ::testing::AssertionFailure()
               << "count " << count << " but " << CountOf(marks) << " marks";
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
