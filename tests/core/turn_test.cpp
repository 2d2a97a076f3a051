// The turn cycle where whole games do not reach: the computer's pick, the corner release, a win
// at one cell past half, nested moves at the yield, the Arcade clock and the end of the program.
#include <gtest/gtest.h>

#include <string>

#include "table.h"

namespace dyeland {
namespace {

using testing::Block;
using testing::Table;

// The computer rates each colour by a trial growth in its own sweep order. Ties go to the later
// colour and Best2 is the leader Best1 displaced; the attempts are Best1, Best2, colour 15, then
// random colours, each refused when either side holds it.
TEST(ComputerTurn, PicksTheFirstAttemptThatNeitherSideHolds) {
    // nineThenEight: Best1 9, Best2 8. rows: colour 9 runs 29 cells left along the top row, 10
    // runs 25 cells down the right edge, and only the computer's order rates 9 above 10.
    Grid nineThenEight, rows;
    nineThenEight(28, 0) = 9;
    for (int i = 0; i < 29; ++i)
        rows(i, 0) = 9, rows(29, std::min(i + 1, 25)) = 10;
    const struct {
        Grid board;
        int player, computer, chosen;
    } cases[] = {{nineThenEight, 12, 13, 9},
                 {nineThenEight, 9, 13, 8},
                 {nineThenEight, 9, 8, 15},
                 {Grid{}, 15, 14, 13},
                 {rows, 12, 13, 9}};
    for (const auto& c : cases) {
        Table t;
        t.Position(c.board, Block(28, 1, 28, 1), Block(29, 0, 29, 0), c.player, c.computer);
        t.host.randomSource = [r = 1.0]() mutable { return r -= 0.1; };  // 15, 14, 13, ...
        // The first five computer turns of a game free the player's marks in the top-right block.
        t.s.OpeningMoves = &c == cases ? 4 : 5;
        t.game.ComputerTurn();
        EXPECT_EQ(t.s.ComputerColor, c.chosen) << &c - cases;
        EXPECT_EQ(t.s.PlayerMarks(28, 1), &c == cases ? 0 : Marked) << &c - cases;
    }
    // The opening grows the computer's start region in its own order too: all 26 cells of 10.
    Table t;
    rows(29, 0) = 10;
    t.Position(rows, Grid{}, Block(29, 0, 29, 0), 0, 0);
    t.game.cmdOppoStart_Click();
    EXPECT_EQ(CountMarks(t.s.ComputerMarks), 26);
}

// The mover holds half the board and one cell of the colour it picks touches it: the other
// colour leaves exactly half, no win. The win saves the score and asks; No ends the program,
// Yes deals a new game and the turn ends as any other. The Arcade clock ticks in the box's own
// event loop, and must not move behind it.
TEST(EndOfGame, AWinAsksForANewGameThatOnlyYesStarts) {
    const struct {
        bool player, classic, yes;
        const char* title;
    } cases[] = {{true, true, false, "Yes..! Yor score = 151"},
                 {true, true, true, "Yes..! Yor score = 151"},
                 {false, true, false, "No..! Yor score = -251"},
                 {false, false, true, "No..! Yor score = 249"},
                 {true, true, false, ""},
                 {false, true, false, ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        Table t;
        t.host.checks[MenuItem::mnuArcade] = true;
        t.host.answers = {c.yes};
        t.host.onQuestion = [&] { t.game.Timer2_Timer(); };
        t.s.ClassicGame = c.classic;
        t.s.PlayerTurn = c.player;
        const bool win = *c.title;
        Grid colours;
        colours(15, 0) = colours(14, 0) = 11;
        t.Position(colours, c.player ? Block(0, 0, 14, 29) : Block(0, 29, 0, 29),
                   c.player ? Block(29, 29, 29, 29) : Block(15, 0, 29, 29), win ? 0 : 11, 12);
        c.player ? t.s.ComputerCount = 300 : t.s.PlayerCount = 200;
        c.player ? t.game.sPicture9_Click(win ? 3 : 2) : t.game.ComputerTurn();
        const bool goesOn = !win || c.yes;
        ASSERT_EQ(t.host.questions.size(), win ? 1u : 0u);
        EXPECT_EQ(win ? t.host.questions[0].second : "", c.title);
        EXPECT_EQ(t.host.endCalls, goesOn ? 0 : 1);
        EXPECT_EQ(t.host.beeps, 0);
        EXPECT_EQ(c.player ? t.s.PlayerCount : t.s.ComputerCount, !win ? 450 : goesOn ? 0 : 451);
        EXPECT_EQ(t.s.PlayerTurn, goesOn);
        EXPECT_EQ(t.host.IsTimerEnabled(Timer::Timer2), goesOn);
    }
}

// A session with Arcade on. The end of a computer turn starts a stopped clock and a pick stops
// it; a tick beeps and the computer moves at once, the clock keeping its schedule; a refused
// pick only beeps. A click at a computer turn's yield runs a whole nested move first, with the
// first click's colour. An Exit there, even two turns deep, stops every interrupted turn, and
// from then on no handler does anything.
TEST(TurnCycle, ArcadeClockNestedMovesAndExit) {
    // The first deal throws away a draw per 10 ms waited since the window came up, up to a cap,
    // then fills the board column by column from the left, each from the top.
    for (auto [ms, thrown] : {std::pair<std::int64_t, int>{2405, 240}, {10'000'010, 1'000'000}}) {
        Table w;
        w.host.msSinceLoad = ms;
        w.host.randomSource = [n = 0]() mutable { return (n++ % 8) / 8.0; };
        w.game.cmdStart_Click();
        EXPECT_EQ(w.s.Colors(1, 0) * 100 + w.s.Colors(0, 1), 14 * 100 + 9);
        w.game.cmdStart_Click();
        EXPECT_EQ(w.host.randomDraws, thrown + 2 * CellCount) << ms;
    }
    Table t;
    t.game.cmdStart_Click();
    t.game.mnuArcade_Click();
    t.host.timerSwitches.clear();
    t.game.sPicture9_Click(t.FreePicker());
    t.game.Timer2_Timer();
    t.game.sPicture9_Click(t.s.ComputerColor - FirstColour);
    t.host.onYield = [&] { t.game.sPicture9_Click(2); };
    const int picked = t.s.ComputerColor == 13 ? 14 : 13;
    t.game.sPicture9_Click(picked - FirstColour);
    EXPECT_EQ(t.s.PlayerColor, picked);
    EXPECT_EQ(t.s.PlayerMoves, 3);
    EXPECT_EQ(t.host.retained, t.s.Colors);
    // Clearing the scores asks first; a delete that fails is reported and the game goes on.
    t.host.removeError = "Permission denied";
    t.host.answers = {true};
    t.game.mnuScor_Click();
    EXPECT_EQ(t.host.warnings.size(), 1u);
    EXPECT_TRUE(t.s.PlayerTurn);
    const auto on = std::pair(Timer::Timer2, true), off = std::pair(Timer::Timer2, false);
    EXPECT_EQ(t.host.timerSwitches, (decltype(t.host.timerSwitches){on, off, on, off}));
    EXPECT_EQ(t.host.beeps, 2);

    const Grid computerBefore = t.s.ComputerMarks;
    t.host.solidDraws = 0;
    t.host.onYield = [&] {
        t.host.onYield = [&] { t.game.mnuExit_Click(); };
        t.game.sPicture9_Click(2);
    };
    t.game.sPicture9_Click(t.FreePicker());
    EXPECT_EQ(t.host.solidDraws, 2 * CellCount) << "only the two player moves drew";
    EXPECT_EQ(t.s.ComputerMarks, computerBefore);
    EXPECT_FALSE(t.s.PlayerTurn);
    const Grid colours = t.s.Colors;
    t.host = testing::FakeHost();
    t.host.answers = {true, true};
    for (auto handler : {&Game::cmdStart_Click, &Game::Timer2_Timer, &Game::mnuLine_Click})
        (t.game.*handler)();
    t.game.sPicture9_Click(0);
    EXPECT_EQ(t.s.Colors, colours);
    EXPECT_EQ(t.host.solidDraws + t.host.beeps + t.host.randomDraws + t.host.endCalls, 0);
    EXPECT_TRUE(t.host.questions.empty() && t.host.captions.empty() && t.host.checks.empty());
}

}  // namespace
}  // namespace dyeland
