// The new game: the deal, the two drawing passes, the high score shown, the player's start
// region with its corner clean-up, and the computer's opening that ends it.
#include <gtest/gtest.h>

#include <vector>

#include "table.h"

namespace dyeland {
namespace {

using testing::Block;
using testing::BoardFromText;
using testing::CountOf;
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
    ASSERT_GE(t.host.timerSwitches.size(), 2u);
    EXPECT_EQ(t.host.timerSwitches[0], std::pair(Timer::Timer2, false)) << "the old clock first";
    EXPECT_EQ(t.host.timerSwitches[1], std::pair(Timer::tmrRnd, false));
    EXPECT_EQ(t.host.CaptionOf(Caption::cmdStart), "New game");
    EXPECT_EQ(t.host.CaptionOf(Caption::Label10), "0");

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
    EXPECT_EQ(t.s.StartColor, board(0, 29));
    EXPECT_EQ(t.s.Sweep, 1);
    EXPECT_EQ(t.s.CellSize, CellUnits);
    EXPECT_EQ(t.s.PlayerMoves, 7);
    EXPECT_EQ(t.s.PlayerColor, 9);
    EXPECT_EQ(t.s.Score, -3);
    EXPECT_FALSE(t.s.PlayerTurn);
    EXPECT_EQ(t.s.ComputerColor, board(29, 0));
    EXPECT_EQ(t.host.stepFocus, 1);
}

// The high score shown is the record of the variant, in its shortest decimal form.
TEST(NewGame, ShowsTheVariantsHighScore) {
    Table t;
    // 120.5 in record 1 and 651 in record 2, little-endian singles.
    t.host.files["res"] = {0x00, 0x00, 0xF1, 0x42, 0, 0, 0, 0, 0, 0, 0x00, 0xC0, 0x22, 0x44};
    t.game.cmdStart_Click();
    EXPECT_EQ(t.host.CaptionOf(Caption::Label10), "120.5");
    EXPECT_EQ(t.s.HighScore, 120.5f);
    t.game.mnuCenture_Click();
    EXPECT_EQ(t.host.CaptionOf(Caption::Label10), "651");

    EXPECT_EQ(ShortestText(0.0f), "0");
    EXPECT_EQ(ShortestText(120.0f), "120");
    EXPECT_EQ(ShortestText(-251.0f), "-251");
    EXPECT_EQ(ShortestText(0.1f), "0.1");
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
        EXPECT_EQ(CountOf(t.s.PlayerMarks), 897);
        EXPECT_EQ(t.s.PlayerMarks(15, 15), Marked);
        if (classic) {
            EXPECT_EQ(t.s.ComputerMarks, Block(0, 0, 29, 29)) << "the opening";
        }
    }
}

}  // namespace
}  // namespace dyeland
