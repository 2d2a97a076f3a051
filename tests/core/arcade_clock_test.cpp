// The Arcade clock: when it stops and starts around the turn cycle, what a tick does, and
// that no tick moves while one of the game's boxes is open.
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "table.h"

namespace dyeland {
namespace {

using testing::Table;
using Switches = std::vector<std::pair<Timer, bool>>;

// A game under way, the player to move, the clock running or not.
void Playing(Table& t, bool arcade, bool clockRunning) {
    t.game.cmdStart_Click();
    t.host.checks[MenuItem::mnuArcade] = arcade;
    t.host.timers[Timer::Timer2] = clockRunning;
    t.Forget();
}

// A pick stops a running clock while Arcade is checked, and the end of the computer's turn
// starts a stopped one for a full interval; the Arcade command itself starts or stops nothing.
// A refused pick leaves the clock stopped, and a move from the Step key leaves it alone.
TEST(ArcadeClock, MovesStopAndRestartTheClockAsTheTableSays) {
    enum Move { Pick, Refused, Step };
    const struct {
        const char* what;
        bool arcade, running, toggleArcade;
        Move move;
        Switches switches;
    } cases[] = {
        {"a pick", true, true, false, Pick, {{Timer::Timer2, false}, {Timer::Timer2, true}}},
        {"a refused pick", true, true, false, Refused, {{Timer::Timer2, false}}},
        {"a Step move", true, true, false, Step, {}},
        {"a pick after checking Arcade", false, false, true, Pick, {{Timer::Timer2, true}}},
        {"a pick after unchecking Arcade", true, true, true, Pick, {}},
    };
    for (const auto& c : cases) {
        Table t;
        Playing(t, c.arcade, c.running);
        if (c.toggleArcade) t.game.mnuArcade_Click();
        EXPECT_EQ(t.host.IsChecked(MenuItem::mnuArcade), c.arcade != c.toggleArcade) << c.what;
        EXPECT_TRUE(t.host.timerSwitches.empty()) << c.what;
        if (c.move == Step) {
            t.s.PlayerColor = static_cast<std::int16_t>(t.FreePicker() + FirstColour);
            t.game.cmdStep_Click();
            EXPECT_EQ(t.host.yields, 1) << c.what;
        } else {
            t.game.sPicture9_Click(c.move == Pick ? t.FreePicker()
                                                  : t.s.ComputerColor - FirstColour);
        }
        EXPECT_EQ(t.host.timerSwitches, c.switches) << c.what;
    }
}

// A tick is a lost turn: a beep and a computer move, the clock keeping its schedule. Ticks go
// on after Arcade is unchecked, until a new game stops the clock.
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
    t.game.mnuArcade_Click();
    t.game.Timer2_Timer();
    EXPECT_EQ(t.host.beeps, 2);
    t.game.mnuNGames_Click();
    EXPECT_FALSE(t.host.IsTimerEnabled(Timer::Timer2));
}

// A modal box runs its own event loop in which the clock keeps ticking: those ticks must not
// move behind the open question, neither at a win nor before the high scores are cleared.
TEST(ArcadeClock, TicksWhileAQuestionIsOpenAreSkipped) {
    Table t;
    t.host.checks[MenuItem::mnuArcade] = true;
    t.host.timers[Timer::Timer2] = true;
    t.PlayerAtTheEdge();
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
