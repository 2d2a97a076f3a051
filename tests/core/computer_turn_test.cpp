// The computer's turn: the corner release, the pick attempts, the end of the game at either
// side's win, and the handlers that run at the turn's one yield.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "table.h"

namespace dyeland {
namespace {

using testing::Block;
using testing::BoardFromText;
using testing::RegionIsPainted;
using testing::Table;

// Blank cells hold 0, which no colour takes. With the region on (29, 0) alone:
// a 1 beside it makes colour 9 the leader that displaced colour 8 (Best1 9, Best2 8);
const char* const NineThenEight = "............................1.";
// a 0 beside it lets colour 8 lead alone (Best1 and Best2 8); the empty board "" ties every
// colour (Best1 15, Best2 14).
const char* const EightAlone = "............................0.";

// Attempts in order: Best1, Best2, colour 15, then random colours; each refused when it is
// the computer's colour or the player's.
TEST(ComputerTurn, PicksTheFirstAttemptThatNeitherSideHolds) {
    const struct {
        const char* name;
        const char* board;
        int player, computer;
        std::vector<double> randoms;
        int chosen, draws;
    } cases[] = {
        {"Best1", NineThenEight, 12, 13, {}, 9, 0},
        {"Best1 is the player's", NineThenEight, 9, 13, {}, 8, 0},
        {"Best1 the player's, Best2 the computer's", NineThenEight, 9, 8, {}, 15, 0},
        {"15 refused as well", "", 15, 14, {0.9, 0.8, 0.4}, 11, 3},
        {"a lone 8 refused twice", EightAlone, 12, 8, {}, 15, 0},
        {"a lone 8 and 15 refused", EightAlone, 15, 8, {0.1, 0.6}, 12, 2},
        {"before any pick the player's 0 refuses nothing", NineThenEight, 0, 12, {}, 9, 0},
    };
    for (const auto& c : cases) {
        Table t;
        t.Position(BoardFromText(c.board, 0), Block(0, 29, 0, 29), Block(29, 0, 29, 0), c.player,
                   c.computer);
        t.host.randoms.assign(c.randoms.begin(), c.randoms.end());
        t.game.ComputerTurn();
        EXPECT_EQ(t.s.ComputerColor, c.chosen) << c.name;
        EXPECT_EQ(t.host.CaptionOf(Caption::Label3), std::to_string(c.chosen)) << c.name;
        EXPECT_EQ(t.host.randomDraws, c.draws) << c.name;
    }
}

// The first five computer turns of a game free the player's marks in the top-right 2 x 2
// block; the cells keep their colours and the player's count is not recounted.
TEST(ComputerTurn, ReleasesTheTopRightBlockOnlyInTheFirstFiveTurns) {
    const Grid playerRegion = testing::Together(Block(28, 0, 29, 1), Block(0, 29, 0, 29));
    const Grid colours =
        BoardFromText("............................22\n............................22", 0);
    for (int done = 0; done <= 5; ++done) {
        Table t;
        t.Position(colours, playerRegion, Block(15, 15, 15, 15), 10, 8);
        t.s.OpeningMoves = static_cast<std::int16_t>(done);
        t.s.PlayerCount = 5;
        t.game.ComputerTurn();
        const bool released = done < 5;
        EXPECT_EQ(t.s.OpeningMoves, released ? done + 1 : 5);
        EXPECT_EQ(CountMarks(t.s.PlayerMarks), released ? 1 : 5) << "after " << done << " turns";
        EXPECT_EQ(t.s.Colors(28, 1), 10);
        EXPECT_EQ(t.s.PlayerCount, 5);
    }
}

// Exactly half the board is no win for either side; with one cell more the score is saved and
// the question asked. No ends the program at once and nothing more of the turn runs; Yes deals
// a new game (which after the player's win the computer opens with its first regular move)
// and the turn then ends as any other, with the player to move.
TEST(EndOfGame, AWinAsksForANewGameThatOnlyYesStarts) {
    Table half;
    half.PlayerAtTheEdge();
    half.game.sPicture9_Click(2);
    EXPECT_EQ(half.s.PlayerCount, 450);
    half.ComputerAtTheEdge(false);
    half.game.ComputerTurn();
    EXPECT_EQ(half.s.ComputerCount, 450);
    EXPECT_TRUE(half.host.questions.empty());

    const struct {
        bool player, yes, classic;
        const char *prompt, *title;
        int replaces, openingMoves, yields;
    } cases[] = {
        {true, false, true, "Do you want new games ?", "Yes..! Yor score = 151", 1, 5, 0},
        {true, true, true, "Do you want new games ?", "Yes..! Yor score = 151", 1, 1, 1},
        // A negative Classic score does not beat an empty file; 249 in the centre game does.
        {false, false, true, "Do you want new game?", "No..! Yor score = -251", 0, 5, 1},
        {false, true, false, "Do you want new game?", "No..! Yor score = 249", 1, 0, 1},
    };
    for (const auto& c : cases) {
        Table t;
        t.host.checks[MenuItem::mnuArcade] = true;
        t.host.answers = {c.yes};
        t.s.ClassicGame = c.classic;
        if (c.player) {
            t.PlayerAtTheEdge();
            t.game.sPicture9_Click(3);
        } else {
            t.ComputerAtTheEdge();
            t.game.ComputerTurn();
        }
        SCOPED_TRACE(c.title + std::string(c.yes ? ", Yes" : ", No"));
        ASSERT_EQ(t.host.questions.size(), 1u);
        EXPECT_EQ(t.host.questions[0].first, c.prompt);
        EXPECT_EQ(t.host.questions[0].second, c.title);
        EXPECT_EQ(t.host.replaces, c.replaces);
        EXPECT_EQ(t.game.Ended(), !c.yes);
        EXPECT_EQ(t.host.endCalls, c.yes ? 0 : 1);
        EXPECT_EQ(t.host.yields, c.yields);
        EXPECT_EQ(c.player ? t.s.PlayerCount : t.s.ComputerCount, c.yes ? 0 : 451);
        EXPECT_EQ(t.s.OpeningMoves, c.openingMoves);
        EXPECT_EQ(t.s.PlayerTurn, c.yes);
        EXPECT_EQ(t.host.IsTimerEnabled(Timer::Timer2), c.yes);
        EXPECT_EQ(t.host.stepFocus, c.yes ? 2 : 0) << "the opening and the end of the turn";
    }
}

// Handlers run at the yield run to their end, a whole nested move included, before the
// interrupted turn picks; the state stays whole.
TEST(ComputerTurnYield, AClickThereRunsAWholeNestedMoveFirst) {
    Table t;
    t.game.cmdStart_Click();
    t.Forget();
    t.host.onYield = [&] { t.game.sPicture9_Click(2); };
    const int picked = t.s.ComputerColor == 13 ? 14 : 13;
    t.game.sPicture9_Click(picked - FirstColour);

    // The click came while the player's move was under way, so its colour does not count.
    EXPECT_EQ(t.s.PlayerColor, picked);
    EXPECT_EQ(t.s.PlayerMoves, 2);
    EXPECT_EQ(t.host.yields, 2);
    // Player, nested player, nested computer, interrupted computer: in that order.
    ASSERT_EQ(t.host.SolidDraws(), 4 * CellCount);
    const std::vector<bool> retained = {false, false, true, true};
    for (int pass = 0; pass < 4; ++pass) {
        EXPECT_EQ(t.host.draws[2 * pass * CellCount].retained, retained[pass]) << pass;
    }
    EXPECT_NE(t.s.ComputerColor, t.s.PlayerColor);
    EXPECT_TRUE(
        RegionIsPainted(t.s.ComputerMarks, t.s.Colors, t.s.ComputerColor, t.s.ComputerCount));
    EXPECT_EQ(t.host.shown, t.s.Colors);
    EXPECT_TRUE(t.s.PlayerTurn);
}

// An Arcade tick at the yield makes the computer move twice in a row.
TEST(ComputerTurnYield, ATickThereRunsANestedComputerTurn) {
    Table t;
    t.game.cmdStart_Click();
    t.game.sPicture9_Click(t.FreePicker());
    t.Forget();
    t.host.onYield = [&] { t.game.Timer2_Timer(); };
    t.game.ComputerTurn();
    EXPECT_EQ(t.host.beeps, 1);
    EXPECT_EQ(t.host.SolidDraws(), 2 * CellCount);
    EXPECT_EQ(t.s.OpeningMoves, 3);
    EXPECT_TRUE(
        RegionIsPainted(t.s.ComputerMarks, t.s.Colors, t.s.ComputerColor, t.s.ComputerCount));
}

// Exit at the yield, even two turns deep: no turn picks, captures, draws or asks afterwards.
TEST(ComputerTurnYield, ExitThereStopsEveryInterruptedTurn) {
    Table t;
    t.game.cmdStart_Click();
    t.Forget();
    const Grid computerBefore = t.s.ComputerMarks;
    t.host.onYield = [&] {
        t.host.onYield = [&] { t.game.mnuExit_Click(); };
        t.game.sPicture9_Click(0);
    };
    t.game.sPicture9_Click(t.FreePicker());

    EXPECT_EQ(t.host.endCalls, 1);
    EXPECT_EQ(t.s.PlayerMoves, 2) << "both player moves ran before the exit";
    EXPECT_EQ(t.host.SolidDraws(), 2 * CellCount) << "only the two player moves drew";
    EXPECT_EQ(t.s.ComputerMarks, computerBefore);
    EXPECT_EQ(t.host.CaptionOf(Caption::Label3), "");
    EXPECT_TRUE(t.host.questions.empty());
    EXPECT_FALSE(t.s.PlayerTurn);
    EXPECT_EQ(t.host.stepFocus, 0);
}

// The program ended while a win's question was open: a Yes then starts nothing.
TEST(ComputerTurnYield, AnEndWhileTheQuestionIsOpenStartsNoNewGame) {
    Table t;
    t.host.onQuestion = [&] { t.game.Command2_Click(); };
    t.host.answers = {true};
    t.ComputerAtTheEdge();
    t.game.ComputerTurn();
    EXPECT_EQ(t.host.endCalls, 1);
    EXPECT_EQ(t.host.randomDraws, 0);
    EXPECT_FALSE(t.s.PlayerTurn);
}

}  // namespace
}  // namespace dyeland
