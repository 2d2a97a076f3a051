// The Arcade clock: when it stops and starts around the turn cycle, what a tick does, and
// that no tick moves while one of the game's boxes is open.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "table.h"

namespace dyeland {
namespace {

using testing::Block;
using testing::BoardFromText;
using testing::Table;
using Switches = std::vector<std::pair<Timer, bool>>;

// A game under way, the player to move, the clock running or not.
void Playing(Table& t, bool arcade, bool clockRunning) {
    t.game.cmdStart_Click();
    t.host.checks[MenuItem::mnuArcade] = arcade;
    t.host.timers[Timer::Timer2] = clockRunning;
    t.Forget();
}

// The clock stops while the player moves and restarts, for a full interval, at the end of
// the computer's turn.
TEST(ArcadeClock, APickStopsTheClockAndTheComputersTurnRestartsIt) {
    Table t;
    Playing(t, true, true);
    bool runningAtYield = true;
    t.host.onYield = [&] { runningAtYield = t.host.TimerOn(Timer::Timer2); };
    t.game.sPicture9_Click(t.FreePicker());
    EXPECT_FALSE(runningAtYield);
    EXPECT_EQ(t.host.timerSwitches, (Switches{{Timer::Timer2, false}, {Timer::Timer2, true}}));
}

// A tick is a lost turn: a beep and a computer move; the clock keeps its schedule.
TEST(ArcadeClock, ATickBeepsAndTheComputerMovesAgain) {
    Table t;
    Playing(t, true, true);
    const auto playerColour = t.s.PlayerColor;
    t.game.Timer2_Timer();
    EXPECT_EQ(t.host.beeps, 1);
    EXPECT_EQ(t.host.yields, 1);
    EXPECT_EQ(t.s.OpeningMoves, 1);
    EXPECT_EQ(t.s.PlayerColor, playerColour);
    EXPECT_EQ(t.s.PlayerMoves, 0);
    EXPECT_TRUE(t.s.PlayerTurn);
    EXPECT_TRUE(t.host.timerSwitches.empty());
    EXPECT_TRUE(t.host.TimerOn(Timer::Timer2));
}

// Unchecking Arcade does not stop a running clock: picks no longer stop it and ticks go on
// until a new game.
TEST(ArcadeClock, UncheckingArcadeLeavesARunningClockToTheNextGame) {
    Table t;
    Playing(t, true, true);
    t.game.mnuArcade_Click();
    EXPECT_FALSE(t.host.IsChecked(MenuItem::mnuArcade));
    t.game.sPicture9_Click(t.FreePicker());
    t.game.Timer2_Timer();
    EXPECT_EQ(t.host.beeps, 1);
    EXPECT_TRUE(t.host.timerSwitches.empty());
    t.game.mnuNGames_Click();
    EXPECT_FALSE(t.host.TimerOn(Timer::Timer2));
}

// Checking Arcade starts nothing at once; the clock starts at the end of the next computer turn.
TEST(ArcadeClock, CheckingArcadeStartsTheClockAfterTheNextComputerTurn) {
    Table t;
    Playing(t, false, false);
    t.game.mnuArcade_Click();
    EXPECT_TRUE(t.host.IsChecked(MenuItem::mnuArcade));
    EXPECT_TRUE(t.host.timerSwitches.empty());
    t.game.sPicture9_Click(t.FreePicker());
    EXPECT_EQ(t.host.timerSwitches, (Switches{{Timer::Timer2, true}}));
}

// A refused pick stops the clock and nothing restarts it before the next computer turn.
TEST(ArcadeClock, ARefusedPickLeavesTheClockStopped) {
    Table t;
    Playing(t, true, true);
    t.game.sPicture9_Click(t.s.ComputerColor - FirstColour);
    EXPECT_EQ(t.host.beeps, 1);
    EXPECT_EQ(t.host.timerSwitches, (Switches{{Timer::Timer2, false}}));
}

// A move from the Step key neither stops the clock nor restarts it, so the next tick keeps
// its old schedule.
TEST(ArcadeClock, AStepMoveLeavesTheClockAlone) {
    Table t;
    Playing(t, true, true);
    t.s.PlayerColor = static_cast<std::int16_t>(t.FreePicker() + FirstColour);
    t.game.cmdStep_Click();
    EXPECT_EQ(t.host.yields, 1);
    EXPECT_TRUE(t.host.timerSwitches.empty());
    EXPECT_TRUE(t.host.TimerOn(Timer::Timer2));
}

// A modal box runs its own event loop in which the clock keeps ticking: those ticks must not
// move behind the open question, neither at a win nor before the high scores are cleared.
TEST(ArcadeClock, TicksWhileAQuestionIsOpenAreSkipped) {
    Table t;
    t.host.checks[MenuItem::mnuArcade] = true;
    t.host.timers[Timer::Timer2] = true;
    t.Position(BoardFromText("...............3", 0), Block(0, 0, 14, 29), Block(29, 29, 29, 29), 0,
               12);
    int ticksInBox = 0;
    t.host.onQuestion = [&] {
        EXPECT_TRUE(t.game.QuestionOpen());
        t.game.Timer2_Timer();
        ++ticksInBox;
    };
    t.host.answers = {true};
    t.game.sPicture9_Click(3);  // wins with 451 cells
    t.game.mnuScor_Click();     // answered No
    EXPECT_EQ(ticksInBox, 2);
    EXPECT_EQ(t.host.beeps, 0);
    EXPECT_EQ(t.host.yields, 1) << "only the computer's move after the Yes";
    EXPECT_FALSE(t.game.QuestionOpen());

    t.game.Timer2_Timer();  // with the boxes closed the clock works again
    EXPECT_EQ(t.host.beeps, 1);
    EXPECT_EQ(t.host.yields, 2);
}

}  // namespace
}  // namespace dyeland
