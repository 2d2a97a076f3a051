// The player's half of a turn and the computer's answer: the picker click, the move, the
// refusal, the move counter, and the moves that come before any pick or before any game.
#include <gtest/gtest.h>

#include "table.h"

namespace dyeland {
namespace {

using testing::Block;
using testing::BoardFromText;
using testing::RegionIsPainted;
using testing::Table;

// One turn, step by step: the pick; the player's capture drawn to the screen only, its count,
// the move counter and the score; the computer's evaluation and then the yield; after it the
// computer's move drawn into the retained image, its count, the score and the turn handed back.
TEST(PlayerTurn, APickMovesThePlayerThenTheComputer) {
    Table t;
    // Colour 9 runs from the computer's corner: five cells to take; blank cells hold 0.
    Grid colours = BoardFromText(R"(
        ..........................111.
        .............................1
        .............................1
    )",
                                 0);
    colours(0, 27) = colours(0, 28) = colours(1, 29) = 11;  // three touch the player's start
    t.Position(colours, Block(0, 29, 0, 29), Block(29, 0, 29, 0), 0, 8);
    GameState atYield;
    testing::FakeHost shownAtYield;
    t.host.onYield = [&] {
        atYield = t.s;
        shownAtYield = t.host;
    };
    t.game.sPicture9_Click(3);

    ASSERT_EQ(t.host.yields, 1);
    EXPECT_FALSE(atYield.PlayerTurn);
    EXPECT_EQ(atYield.PlayerColor, 11);
    EXPECT_EQ(atYield.PlayerCount, 4);
    EXPECT_TRUE(RegionIsPainted(atYield.PlayerMarks, atYield.Colors, 11, 4));
    EXPECT_EQ(atYield.PlayerMoves, 1);
    EXPECT_EQ(shownAtYield.CaptionOf(Caption::Label8), "1");
    EXPECT_EQ(atYield.Score, 4);
    EXPECT_EQ(shownAtYield.SolidDraws(), CellCount);
    EXPECT_FALSE(shownAtYield.draws.front().retained);
    EXPECT_EQ(shownAtYield.shown, atYield.Colors);
    EXPECT_EQ(atYield.ColorTally[2], 6);
    EXPECT_EQ(atYield.ComputerMarks, Block(29, 0, 29, 0));

    EXPECT_EQ(t.s.ComputerColor, 9);
    EXPECT_EQ(t.s.ComputerCount, 6);
    EXPECT_TRUE(RegionIsPainted(t.s.ComputerMarks, t.s.Colors, 9, 6));
    EXPECT_EQ(t.s.Score, 4 - 6);
    ASSERT_EQ(t.host.SolidDraws(), 2 * CellCount);
    for (std::size_t i = shownAtYield.draws.size(); i < t.host.draws.size(); ++i)
        ASSERT_TRUE(t.host.draws[i].retained) << i;
    EXPECT_EQ(t.host.shown, t.s.Colors);
    EXPECT_TRUE(t.s.PlayerTurn);
    EXPECT_EQ(t.host.stepFocus, 1);
    EXPECT_TRUE(t.host.timerSwitches.empty()) << "without Arcade the clock is not touched";
}

// Picking the computer's colour costs nothing but a beep, and the player picks again.
TEST(PlayerTurn, PickingTheComputersColourOnlyBeeps) {
    Table t;
    t.Position(Grid{}, Block(0, 29, 0, 29), Block(29, 0, 29, 0), 10, 11);
    const GameState before = t.s;
    t.game.sPicture9_Click(3);
    EXPECT_EQ(t.host.beeps, 1);
    EXPECT_TRUE(t.s.PlayerTurn);
    EXPECT_EQ(t.s.PlayerMoves, 0);
    EXPECT_EQ(t.s.PlayerMarks, before.PlayerMarks);
    EXPECT_TRUE(t.host.draws.empty());
    EXPECT_EQ(t.host.yields, 0) << "no computer turn";
}

// The move counter stops at the largest 16-bit value instead of wrapping.
TEST(PlayerTurn, MoveCounterStopsAt32767) {
    Table t;
    t.game.cmdStart_Click();
    t.s.PlayerMoves = 32766;
    t.game.sPicture9_Click(t.FreePicker());
    t.game.cmdStep_Click();
    EXPECT_EQ(t.s.PlayerMoves, 32767);
    EXPECT_EQ(t.host.CaptionOf(Caption::Label8), "32767");
}

// Before the first new game the board is all 0: the pick takes the start cell alone, the rest
// is drawn black, and the computer answers from its own corner.
TEST(PlayerTurn, APickBeforeTheFirstGamePaintsOnlyTheStartCell) {
    Table t;
    t.game.sPicture9_Click(3);
    EXPECT_EQ(t.s.PlayerCount, 1);
    EXPECT_EQ(t.s.ComputerCount, 1);
    Grid expected;
    expected(0, 29) = 11;
    expected(29, 0) = 15;
    EXPECT_EQ(t.s.Colors, expected);
    // The player's pass showed everything but its start cell black.
    for (int i = 0; i < CellCount; ++i) {
        const auto& box = t.host.draws[2 * i];
        const bool start = box.x1 == 0 && box.y1 == 29 * CellUnits;
        ASSERT_EQ(box.colour, start ? 11 : 0) << i;
    }
}

// The Step key repeats PlayerColor: before any game both colours are 0, so it is refused;
// in a game before any pick it paints the player's region black and the computer moves.
TEST(PlayerTurn, StepWithoutAPickIsRefusedBeforeAGameAndPaintsBlackInOne) {
    Table fresh;
    fresh.game.cmdStep_Click();
    EXPECT_EQ(fresh.host.beeps, 1);
    EXPECT_TRUE(fresh.host.draws.empty());

    Table t;
    t.game.cmdStart_Click();
    const Grid region = t.s.PlayerMarks;
    t.host.autoRedraw = true;  // the opening leaves it on; the Step key does not switch it
    t.Forget();
    t.game.cmdStep_Click();
    EXPECT_EQ(t.s.PlayerMoves, 1);
    EXPECT_EQ(t.s.PlayerMarks, region) << "no cell has colour 0";
    EXPECT_TRUE(RegionIsPainted(t.s.PlayerMarks, t.s.Colors, 0, t.s.PlayerCount));
    EXPECT_TRUE(t.host.draws.front().retained);
    EXPECT_EQ(t.host.yields, 1);
    EXPECT_TRUE(t.s.PlayerTurn);
}

}  // namespace
}  // namespace dyeland
