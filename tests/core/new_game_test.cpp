// The new game: the deal, the two drawing passes, the player's start region with its corner
// clean-up, and the computer's opening that ends it, which grows its region over the colour
// of the top-right cell in both variants.
#include <gtest/gtest.h>

#include <utility>

#include "table.h"

namespace dyeland {
namespace {

using testing::Block;
using testing::BoardFromText;
using testing::MarksFromText;
using testing::Table;

Grid OneColour(int colour) {
    Grid g;
    g.Fill(static_cast<std::int16_t>(colour));
    return g;
}

// Every step of the set-up, and what it leaves alone from the game before.
TEST(NewGame, DealsDrawsTwiceAndEndsWithTheOpening) {
    Table t;
    Grid board;
    auto source = testing::SeededSource(7);
    for (auto& c : board.cells)
        c = static_cast<std::int16_t>(RandomColour(source()));
    t.host.timers[Timer::Timer2] = true;
    t.s.PlayerMoves = 7;
    t.s.PlayerColor = 9;
    t.s.Score = -3;
    t.s.PlayerTurn = false;
    t.s.PlayerCount = 100;
    t.s.ComputerCount = 200;
    t.s.OpeningMoves = 5;
    t.Deal(board);

    // The deal runs column by column, each from the top row down.
    EXPECT_EQ(t.s.Colors, board);
    EXPECT_EQ(t.host.randomDraws, CellCount);
    ASSERT_GE(t.host.timerSwitches.size(), 1u);
    EXPECT_EQ(t.host.timerSwitches[0], std::pair(Timer::Timer2, false)) << "the old clock first";
    EXPECT_EQ(t.host.CaptionOf(Caption::cmdStart), "New game");

    // The first pass reaches the screen only; the second builds the retained image.
    ASSERT_EQ(t.host.draws.size(), 4u * CellCount);
    for (int i = 0; i < 4 * CellCount; ++i) {
        ASSERT_EQ(t.host.draws[i].retained, i >= 2 * CellCount) << i;
    }
    EXPECT_EQ(t.host.shown, board);
    EXPECT_TRUE(t.host.autoRedraw);

    EXPECT_EQ(t.s.PlayerCount, 0);
    EXPECT_EQ(t.s.ComputerCount, 0);
    EXPECT_EQ(t.s.OpeningMoves, 0);
    EXPECT_EQ(t.s.PlayerMoves, 7);
    EXPECT_EQ(t.s.PlayerColor, 9);
    EXPECT_EQ(t.s.Score, -3);
    EXPECT_FALSE(t.s.PlayerTurn);
    EXPECT_EQ(t.s.ComputerColor, board(29, 0));
    EXPECT_EQ(t.host.stepFocus, 1);
}

// The first deal throws away one draw per 10 ms the player waited, up to the limit; a later
// deal draws its 900 cells only.
TEST(NewGame, FirstDealThrowsAwayADrawForEveryTenMillisecondsWaited) {
    for (auto [ms, thrown] :
         {std::pair<std::int64_t, int>{9, 0}, {2345, 234}, {10'000'010, 1'000'000}}) {
        Table t;
        t.host.msSinceLoad = ms;
        t.game.cmdStart_Click();
        t.game.cmdStart_Click();
        EXPECT_EQ(t.host.randomDraws, thrown + 2 * CellCount) << ms;
    }
}

// On a board of one colour the start region is everything but the computer's corner cells,
// in both variants; nothing is cleaned around the centre.
TEST(NewGame, StartRegionNeverHoldsTheTopRightCorner) {
    for (bool classic : {true, false}) {
        Table t;
        t.s.ClassicGame = classic;
        t.Deal(OneColour(12));
        Grid all = Block(0, 0, 29, 29);
        all(28, 0) = all(29, 0) = all(29, 1) = 0;
        EXPECT_EQ(t.s.PlayerMarks, all) << "classic " << classic;
        if (classic) {
            EXPECT_EQ(t.s.ComputerMarks, Block(0, 0, 29, 29)) << "the opening";
        }
    }
}

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
    )"));
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
    EXPECT_EQ(t.s.ComputerMarks, expected);
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
    EXPECT_EQ(t.s.PlayerMarks, testing::Together(kept, Block(0, 29, 0, 29)));
}

}  // namespace
}  // namespace dyeland
