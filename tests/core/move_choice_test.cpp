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

// Each trial tallies the region the colour would give, on a copy of the region; ties go to
// the later colour, and Best2 is the leader the final Best1 displaced, not the runner-up by
// tally, so a colour 8 that leads throughout is both choices.
TEST(EvaluateColors, ChoosesTheLastLeaderAndTheLeaderItDisplaced) {
    const struct {
        const char* what;
        const char* board;
        Grid region;
        std::array<int, 8> tallies;
        int best1, best2;
    } cases[] = {
        {"9 displaces 8",
         TalliesBoard,
         Block(26, 0, 29, 9),
         {40, 60, 55, 41, 40, 40, 40, 40},
         9,
         8},
        {"no capture anywhere", "", Block(29, 0, 29, 0), {1, 1, 1, 1, 1, 1, 1, 1}, 15, 14},
        {"falling tallies",
         FallingBoard,
         Block(29, 0, 29, 7),
         {15, 14, 13, 12, 11, 10, 9, 8},
         8,
         8},
    };
    for (const auto& c : cases) {
        Table t;
        Evaluate(t, c.board, c.region);
        std::array<int, 8> tallies{};
        for (int k = 1; k <= 8; ++k)
            tallies[k - 1] = t.s.ColorTally[k];
        EXPECT_EQ(tallies, c.tallies) << c.what;
        EXPECT_EQ(t.s.Best1, c.best1) << c.what;
        EXPECT_EQ(t.s.Best2, c.best2) << c.what;
        EXPECT_EQ(t.s.ComputerMarks, c.region) << c.what;
        EXPECT_EQ(t.s.Colors, BoardFromText(c.board, 0)) << c.what;
    }
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

    Evaluate(t, "", Block(29, 0, 29, 0));  // eight shifts leave indexes 5 and 4
    EXPECT_EQ(t.host.CaptionOf(Caption::Label1), "5");
    EXPECT_EQ(t.host.CaptionOf(Caption::Label2), "4");

    Evaluate(t, FallingBoard, Block(29, 0, 29, 7));
    EXPECT_EQ(t.s.Best5, 5);
    EXPECT_EQ(t.host.CaptionOf(Caption::Label2), "5");
    EXPECT_EQ(t.host.CaptionOf(Caption::Label1), "1");
}

}  // namespace
}  // namespace dyeland
