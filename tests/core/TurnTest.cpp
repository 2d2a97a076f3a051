// The turns and commands where whole games do not reach: the computer's choice and its history
// of leaders, the corner release, a move nested at the yield, Exit there, and New score.
#include <gtest/gtest.h>

#include <string>

#include "Table.h"
#include "game/HighScoreFile.h"

namespace dyeland {
namespace {

using test::Table;

// The computer rates each colour by a trial growth in its own sweep order, ties going to the
// later colour. best1 is the last leader and best2 the leader it displaced; the computer plays
// the first of best1, best2, colour 15 and then random colours that neither side holds.
TEST(ComputerTurn, PlaysTheFirstChoiceThatNeitherSideHolds) {
    // nineThenEight: colour 8 leads, then 9 takes over. rows: colour 9 runs 29 cells left along
    // the top row, 10 runs 25 cells down the right edge, and only the computer's order rates 9
    // above 10.
    Grid nineThenEight, rows;
    nineThenEight(28, 0) = 9;
    for (int i = 0; i < 29; ++i)
        rows(i, 0) = 9, rows(29, std::min(i + 1, 25)) = 10;
    const struct {
        const char* name;
        Grid board;
        int player, computer, chosen;
    } cases[] = {{"the leader", nineThenEight, 12, 13, 9},
                 {"the displaced leader, the player holding the leader", nineThenEight, 9, 13, 8},
                 {"colour 15, each side holding one leader", nineThenEight, 9, 8, 15},
                 {"random colours past 15, the eight tied", Grid{}, 15, 14, 13},
                 {"the leader in the computer's order", rows, 12, 13, 9}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Table t;
        t.Position(c.board, c.player, c.computer);
        t.host.randomSource = [r = 1.0]() mutable { return r -= 0.1; };  // 15, 14, 13, ...
        t.game.PlayComputersTurn();
        EXPECT_EQ(t.s.computerColour, c.chosen);
    }
}

// best4 and best5, the older leaders, are never reset: a turn with a single leader keeps the
// history the turns before it left, in whatever game they were.
TEST(ComputerTurn, TheLeaderHistoryCarriesOverFromTurnToTurn) {
    Grid eightLeads;  // colour 8 beside the computer's corner: only 8 leads
    eightLeads(28, 0) = 8;
    const struct {
        const char* name;
        Grid board;
        std::optional<int> best4, best5;
    } turns[] = {{"the first turn, one leader", eightLeads, 1, {}},
                 {"all eight tied, each leading in turn", Grid{}, 5, 4},
                 {"one leader again", eightLeads, 1, 5}};
    Table t;
    for (const auto& turn : turns) {
        SCOPED_TRACE(turn.name);
        t.game.NewGame();
        t.Position(turn.board, 0, 0);
        t.game.PlayComputersTurn();
        EXPECT_EQ(t.s.best4, turn.best4);
        EXPECT_EQ(t.s.best5, turn.best5);
    }
}

// The player's marks never hold the computer's corner early in a game: the opening frees (29, 1),
// (28, 0) and (29, 0), and each of the first five computer turns of every game the 2 x 2 block.
TEST(ComputerTurn, FreesTheCornerBlockInTheFirstFiveTurnsOfEveryGame) {
    Table t;
    auto marked = [&](int x, int y) { return t.s.playerMarks(x, y) == Marked; };
    for (int game = 1; game <= 2; ++game) {
        t.game.NewGame();
        for (int turn = 0; turn <= 6; ++turn) {
            SCOPED_TRACE("game " + std::to_string(game) + ", computer turn " +
                         std::to_string(turn) + (turn ? "" : ", the opening"));
            for (int i = 0; i < 4; ++i)
                t.s.playerMarks(28 + i % 2, i / 2) = Marked;
            turn == 0 ? t.game.PlayOpeningMove() : t.game.PlayComputersTurn();
            EXPECT_EQ(marked(28, 1), turn == 0 || turn == 6);
            EXPECT_EQ(marked(28, 0) || marked(29, 0) || marked(29, 1), turn == 6);
        }
    }
}

// A click at the computer's yield runs a whole move of the player's, its computer turn
// included, before the interrupted turn goes on; the player keeps the first click's colour.
TEST(PlayerTurn, AClickAtTheComputersYieldRunsAWholeMoveFirst) {
    Table t;
    t.game.NewGame();
    const int picked = t.s.computerColour == 13 ? 14 : 13;
    t.host.onYield = [&] { t.game.PickColour(2); };
    t.game.PickColour(picked - FirstColour);
    EXPECT_EQ(t.s.playerColour, picked);
    EXPECT_EQ(t.s.playerMoves, 2);
    EXPECT_EQ(t.host.kept, t.s.colours);
}

// Exit at a computer turn's yield, even two turns deep, ends the program once and stops every
// interrupted turn before it touches the board.
TEST(MenuCommands, ExitAtTheYieldStopsEveryInterruptedTurn) {
    Table t;
    t.game.NewGame();
    const Grid computerBefore = t.s.computerMarks;
    t.host.boardChanges = 0;
    t.host.onYield = [&] {
        t.host.onYield = [&] { t.game.Exit(); };
        t.game.PickColour(2);
    };
    t.game.PickColour(t.s.computerColour == FirstColour ? 1 : 0);
    EXPECT_EQ(t.host.boardChanges, 2) << "only the two player moves drew";
    EXPECT_EQ(t.s.computerMarks, computerBefore);
    EXPECT_EQ(t.host.endCalls, 1);
}

// New score answered Yes clears both records, and the new game it starts shows none; No keeps
// the file and the game.
TEST(MenuCommands, NewScoreAnsweredYesClearsBothRecords) {
    for (const bool yes : {true, false}) {
        SCOPED_TRACE(yes ? "Yes" : "No");
        Table t;
        t.host.files["res"] = WithRecord(WithRecord({}, ClassicRecord, 120), CentreRecord, 300);
        t.host.answers = {yes};
        t.game.ClearHighScores();
        EXPECT_EQ(t.host.files["res"].size(), yes ? 0u : HighScoreFileSize);
        EXPECT_EQ(t.host.Last(GameEvent::Kind::BoardDealt).has_value(), yes);
        EXPECT_EQ(t.s.highScore, 0.0f);
    }
}

}  // namespace
}  // namespace dyeland
