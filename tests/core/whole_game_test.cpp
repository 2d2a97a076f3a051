// Whole games of both variants, played to a win by either side, checking after every move that
// the mover's region, the board, the score and the picture agree with each other.
#include <gtest/gtest.h>

#include <string>

#include "game/high_score_file.h"
#include "table.h"

namespace dyeland {
namespace {

using testing::AfterMove;
using testing::Table;

// One side right after its own move; the other side's region may lag behind.
void CheckMover(Table& t, bool player, int move) {
    const GameState& s = t.s;
    SCOPED_TRACE((player ? "player, move " : "computer, move ") + std::to_string(move));
    EXPECT_TRUE(player ? AfterMove(s.PlayerMarks, s.Colors, s.PlayerColor, s.PlayerCount)
                       : AfterMove(s.ComputerMarks, s.Colors, s.ComputerColor, s.ComputerCount));
    EXPECT_NE(s.PlayerColor, s.ComputerColor);
    EXPECT_EQ(s.Score, s.PlayerCount - s.ComputerCount + (s.ClassicGame ? 0 : 500));
    EXPECT_EQ(t.host.shown, s.Colors);
    // Only the computer's move goes into the retained image that every repaint shows.
    EXPECT_EQ(player ? s.Colors : t.host.retained, s.Colors);
    if (!t.host.questions.empty()) return;
    EXPECT_LE(player ? s.PlayerCount : s.ComputerCount, WinningCount) << "no win, no question";
}

// Plays a game from the variant's menu command to the question that ends it, answered No.
// Returns the number of moves; the question tells who won.
int PlayOut(Table& t, bool classic, bool greedy) {
    classic ? t.game.mnuClassic_Click() : t.game.mnuCenture_Click();
    EXPECT_EQ(t.host.retained, t.s.Colors) << "the new game's picture";
    EXPECT_EQ(t.s.ComputerMarks(classic ? 29 : 15, classic ? 0 : 15), Marked);
    int moves = 0;
    t.host.onQuestion = [&] {
        const bool playerWon = t.host.questions.back().first == "Do you want new games ?";
        EXPECT_GT(playerWon ? t.s.PlayerCount : t.s.ComputerCount, WinningCount);
        CheckMover(t, playerWon, moves);
    };
    while (!t.game.Ended() && ++moves < 300) {
        // The computer's turn yields after its evaluation, before it touches the board.
        t.host.onYield = [&] { CheckMover(t, true, moves); };
        t.game.sPicture9_Click(testing::ScriptedPick(t.s, greedy) - FirstColour);
        if (!t.game.Ended()) CheckMover(t, false, moves);
    }
    return moves;
}

TEST(WholeGame, EachSideWinsAndBothVariantsEnd) {
    const struct {
        bool classic, greedy;
        std::uint64_t seed;
        bool playerWins;
        // A file call that fails: the save is lost, and reported with the system's reason.
        std::string testing::FakeHost::*failing = nullptr;
    } cases[] = {{true, true, 1, true},
                 {true, false, 2, false},
                 {false, true, 1, false},
                 {true, true, 1, true, &testing::FakeHost::readError},
                 {true, true, 1, true, &testing::FakeHost::replaceError}};
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        Table t(c.seed);
        if (c.failing) t.host.*c.failing = "Permission denied";
        const int moves = PlayOut(t, c.classic, c.greedy);
        ASSERT_EQ(t.host.questions.size(), 1u) << "no end after " << moves << " moves";
        EXPECT_EQ(t.host.questions[0].first == "Do you want new games ?", c.playerWins);
        EXPECT_TRUE(t.game.Ended());
        EXPECT_EQ(t.s.PlayerMoves, moves);
        // The finished game's score is the variant's record once it beats the empty file.
        const float stored =
            ReadRecord(t.host.files["res"], c.classic ? ClassicRecord : CentreRecord);
        EXPECT_EQ(stored, t.s.Score > 0 && !c.failing ? static_cast<float>(t.s.Score) : 0.0f);
        const std::string lost = "The high score could not be saved in the file \"res\": ";
        EXPECT_EQ(t.host.warnings,
                  std::vector<std::string>(c.failing ? 1 : 0, lost + "Permission denied"));
    }
}

}  // namespace
}  // namespace dyeland
