// The computer's rating of the colours: the trial tallies and the walk over them that picks
// the first and second choice and feeds the two history labels.
#include <gtest/gtest.h>

#include <array>

#include "table.h"

namespace dyeland {
namespace {

using testing::Block;
using testing::BoardFromText;
using testing::Table;

// Blank cells hold 0, a colour no trial takes, so each trial reaches only what the board shows.
// The computer's region is the block of 4s in the top-right corner (40 cells); colour 9 (1s)
// adds 20 cells, colour 10 (2s) 15 and colour 11 (the 3) one.
const char* const TalliesBoard = R"(
    .......................1114444
    .......................1114444
    ........................114444
    ........................114444
    ........................114444
    ........................114444
    ........................114444
    ........................114444
    ........................114444
    .........................34444
    ..........................2222
    ..........................2222
    ..........................2222
    ...........................222
)";

// A one-column region on the right edge (8 cells); each row holds one colour, one cell
// shorter than the row above it, so the tallies fall from colour 8 to colour 15.
const char* const FallingBoard = R"(
    ......................0000000.
    .......................111111.
    ........................22222.
    .........................3333.
    ..........................444.
    ...........................55.
    ............................6.
)";

void Evaluate(Table& t, const char* board, const Grid& region) {
    t.s.Colors = BoardFromText(board, 0);
    t.s.ComputerMarks = region;
    t.game.EvaluateColors();
}

std::array<int, 8> Tallies(const GameState& s) {
    std::array<int, 8> out{};
    for (int k = 1; k <= 8; ++k)
        out[k - 1] = s.ColorTally[k];
    return out;
}

// Best2 is the leader the final Best1 displaced, not the runner-up by tally.
TEST(EvaluateColors, SecondChoiceIsTheDisplacedLeaderNotTheRunnerUp) {
    Table t;
    const Grid region = Block(26, 0, 29, 9);
    const Grid colours = BoardFromText(TalliesBoard, 0);
    Evaluate(t, TalliesBoard, region);
    EXPECT_EQ(Tallies(t.s), (std::array<int, 8>{40, 60, 55, 41, 40, 40, 40, 40}));
    EXPECT_EQ(t.s.Best1, 9);
    EXPECT_EQ(t.s.Best2, 8);
    // The trials work on the copy only.
    EXPECT_EQ(t.s.ComputerMarks, region);
    EXPECT_EQ(t.s.Colors, colours);
}

// When no colour takes a cell every tally ties, and ties go to the later colour.
TEST(EvaluateColors, NoCaptureAnywhereChoosesFifteenThenFourteen) {
    Table t;  // before the first new game the board is all 0
    t.game.EvaluateColors();
    EXPECT_EQ(Tallies(t.s), (std::array<int, 8>{1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(t.s.Best1, 15);
    EXPECT_EQ(t.s.Best2, 14);
    // Eight shifts leave indexes 5 and 4 in the history.
    EXPECT_EQ(t.host.CaptionOf(Caption::Label1), "5");
    EXPECT_EQ(t.host.CaptionOf(Caption::Label2), "4");
}

// A colour 8 that leads throughout is both first and second choice.
TEST(EvaluateColors, StrictlyFallingTalliesChooseEightTwice) {
    Table t;
    Evaluate(t, FallingBoard, Block(29, 0, 29, 7));
    EXPECT_EQ(Tallies(t.s), (std::array<int, 8>{15, 14, 13, 12, 11, 10, 9, 8}));
    EXPECT_EQ(t.s.Best1, 8);
    EXPECT_EQ(t.s.Best2, 8);
}

// Best4 and Best5 start empty and carry over from one evaluation to the next; both labels are
// rewritten at every shift.
TEST(EvaluateColors, HistoryLabelsCarryOverBetweenEvaluations) {
    Table t;
    Evaluate(t, FallingBoard, Block(29, 0, 29, 7));  // one shift
    EXPECT_EQ(t.host.CaptionOf(Caption::Label1), "1");
    EXPECT_EQ(t.host.CaptionOf(Caption::Label2), "");
    EXPECT_FALSE(t.s.Best5.has_value());

    Evaluate(t, TalliesBoard, Block(26, 0, 29, 9));  // two shifts
    EXPECT_EQ(t.host.CaptionOf(Caption::Label1), "1");
    EXPECT_EQ(t.host.CaptionOf(Caption::Label2), "1");

    t.s.Best4 = 5;  // as after an evaluation with eight shifts
    Evaluate(t, FallingBoard, Block(29, 0, 29, 7));
    EXPECT_EQ(t.s.Best5, 5);
    EXPECT_EQ(t.host.CaptionOf(Caption::Label2), "5");
    EXPECT_EQ(t.host.CaptionOf(Caption::Label1), "1");
}

}  // namespace
}  // namespace dyeland
