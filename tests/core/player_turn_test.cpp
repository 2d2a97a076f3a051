// The player's half of a turn: the picker click, the move, the refusal, the player's win and
// the moves that come before any pick or before any game.
#include <gtest/gtest.h>

#include "table.h"

namespace dyeland {
namespace {

using testing::Block;
using testing::BoardFromText;
using testing::RegionIsPainted;
using testing::Table;

// Three cells of colour 11 touch the player's start cell; every other cell holds 0.
Grid ThreeElevens() {
    Grid g;
    g(0, 27) = g(0, 28) = g(1, 29) = 11;
    return g;
}

// One turn, step by step: the pick, the player's capture drawn to the screen only, the count,
// the move counter and the score, then the computer's turn and the turn back to the player.
TEST(PlayerTurn, APickMovesThePlayerThenTheComputer) {
    Table t;
    t.Position(ThreeElevens(), Block(0, 29, 0, 29), Block(29, 0, 29, 0), 0, 12);
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

    EXPECT_EQ(t.host.SolidDraws(), 2 * CellCount);
    EXPECT_TRUE(t.host.draws.back().retained);
    EXPECT_NE(t.s.ComputerColor, 12);
    EXPECT_TRUE(t.s.PlayerTurn);
}

// Picking the computer's colour costs nothing but a beep, and the player picks again.
TEST(PlayerTurn, PickingTheComputersColourOnlyBeeps) {
    Table t;
    t.Position(ThreeElevens(), Block(0, 29, 0, 29), Block(29, 0, 29, 0), 10, 11);
    const GameState before = t.s;
    t.game.sPicture9_Click(3);
    EXPECT_EQ(t.host.beeps, 1);
    EXPECT_TRUE(t.s.PlayerTurn);
    EXPECT_EQ(t.s.PlayerColor, 11);
    EXPECT_EQ(t.s.PlayerMoves, 0);
    EXPECT_EQ(t.s.Colors, before.Colors);
    EXPECT_EQ(t.s.PlayerMarks, before.PlayerMarks);
    EXPECT_TRUE(t.host.draws.empty());
    EXPECT_EQ(t.host.yields, 0) << "no computer turn";
    EXPECT_FALSE(t.host.autoRedraw);
}

// A region of 450 cells, one cell of colour 11 beside it (blank cells hold 0).
void PlayerAtTheEdge(Table& t) {
    t.Position(BoardFromText("...............3", 0), Block(0, 0, 14, 29), Block(29, 29, 29, 29), 0,
               12);
    t.s.ComputerCount = 300;
    t.s.PlayerMoves = 41;
}

// Exactly half the board is no win; with one cell more, No ends the program at once and
// the computer does not move.
TEST(PlayerTurn, WinAnsweredNoEndsTheProgram) {
    Table half;
    PlayerAtTheEdge(half);
    half.game.sPicture9_Click(2);
    EXPECT_EQ(half.s.PlayerCount, 450);
    EXPECT_TRUE(half.host.questions.empty());

    Table t;
    PlayerAtTheEdge(t);
    t.game.sPicture9_Click(3);
    EXPECT_EQ(t.s.PlayerCount, 451);
    ASSERT_EQ(t.host.questions.size(), 1u);
    EXPECT_EQ(t.host.questions[0].first, "Do you want new games ?");
    EXPECT_EQ(t.host.questions[0].second, "Yes..! Yor score = 151");
    EXPECT_EQ(t.host.replaces, 1) << "151 beats the empty file";
    EXPECT_TRUE(t.game.Ended());
    EXPECT_EQ(t.host.endCalls, 1);
    EXPECT_EQ(t.host.yields, 0);
    EXPECT_EQ(t.host.CaptionOf(Caption::Label3), "");
    EXPECT_FALSE(t.s.PlayerTurn);
}

// Yes sets up a new game in which the computer moves first; the move counter goes on.
TEST(PlayerTurn, WinAnsweredYesLetsTheComputerOpenTheNewGame) {
    Table t;
    PlayerAtTheEdge(t);
    t.host.answers = {true};
    t.game.sPicture9_Click(3);
    EXPECT_FALSE(t.game.Ended());
    EXPECT_EQ(t.host.randomDraws, CellCount);
    EXPECT_EQ(t.s.OpeningMoves, 1);
    EXPECT_EQ(t.s.PlayerCount, 0);
    EXPECT_GT(t.s.ComputerCount, 0);
    EXPECT_EQ(t.s.PlayerMoves, 42);
    EXPECT_EQ(t.host.CaptionOf(Caption::Label8), "42");
    EXPECT_TRUE(t.s.PlayerTurn);
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
    EXPECT_EQ(t.s.Colors(0, 29), 11);
    EXPECT_EQ(t.s.ComputerColor, 15);
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
