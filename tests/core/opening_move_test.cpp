// The computer's opening: its region grows over the colour of the top-right cell, in both
// variants, and the player loses any mark on the computer's corner cell and its neighbours.
#include <gtest/gtest.h>

#include "table.h"

namespace dyeland {
namespace {

using testing::Block;
using testing::BoardFromText;
using testing::MarksFromText;
using testing::Table;

// Classic game: the colour runs along the top row and down the right edge and on from there;
// a cell of that colour that touches neither stays out. Nothing is drawn or counted.
TEST(OpeningMove, ClassicRegionGrowsOverTheCornerColour) {
    Table t;
    t.Position(BoardFromText(R"(
        ..........................3333
        .........................3...3
        ........................3.3..3
        ..........................33.2
    )",
                             0),
               Block(0, 29, 0, 29), Block(29, 0, 29, 0), 10, 12);
    t.s.PlayerCount = 3;
    t.s.ComputerCount = 4;
    t.game.cmdOppoStart_Click();
    EXPECT_EQ(t.s.ComputerMarks, MarksFromText(R"(
        ..........................####
        .............................#
        .............................#
    )")) << testing::MarksToText(t.s.ComputerMarks);
    EXPECT_EQ(t.s.ComputerColor, 11);
    EXPECT_TRUE(t.host.draws.empty());
    EXPECT_EQ(t.s.PlayerCount, 3);
    EXPECT_EQ(t.s.ComputerCount, 4);
    EXPECT_TRUE(t.host.autoRedraw);
    EXPECT_EQ(t.host.stepFocus, 1);
}

// Centre game: the colour is still that of (29, 0); the centre cell keeps its own colour and
// takes only the touching cells of the corner's colour.
TEST(OpeningMove, CentreRegionTakesTheTopRightColourToo) {
    Table t;
    t.s.ClassicGame = false;
    Grid colours;  // 0 wherever not set
    colours(29, 0) = colours(15, 14) = colours(14, 15) = 13;
    colours(15, 15) = colours(16, 15) = 10;
    t.Position(colours, Block(0, 29, 0, 29), Block(15, 15, 15, 15), 10, 12);
    t.game.cmdOppoStart_Click();
    EXPECT_EQ(t.s.ComputerColor, 13);
    Grid expected = Block(14, 15, 15, 15);
    expected(15, 14) = Marked;
    EXPECT_EQ(t.s.ComputerMarks, expected) << testing::MarksToText(t.s.ComputerMarks);
    EXPECT_EQ(t.s.Colors(15, 15), 10);
}

// The opening clears the player's marks on (29, 1), (28, 0) and (29, 0) only.
TEST(OpeningMove, ClearsThePlayersMarksNextToTheCornerButNotDiagonally) {
    Table t;
    t.Position(Grid{}, testing::Together(Block(27, 0, 29, 1), Block(0, 29, 0, 29)),
               Block(29, 0, 29, 0), 10, 12);
    t.game.cmdOppoStart_Click();
    Grid kept = Block(27, 0, 28, 1);
    kept(28, 0) = 0;
    EXPECT_EQ(t.s.PlayerMarks, testing::Together(kept, Block(0, 29, 0, 29)))
        << testing::MarksToText(t.s.PlayerMarks);
}

}  // namespace
}  // namespace dyeland
