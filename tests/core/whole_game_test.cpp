// Whole games of both variants, played to a win by each side, checking after every move that
// the mover's region, the board and the score agree with each other.
#include <gtest/gtest.h>

#include <string>

#include "game/high_score_file.h"
#include "table.h"

namespace dyeland {
namespace {

using testing::RegionIsPainted;
using testing::Table;

int ExpectedScore(const GameState& s) {
    return s.ClassicGame ? s.PlayerCount - s.ComputerCount : s.PlayerCount + 500 - s.ComputerCount;
}

// Checks one side right after its own move; the other side's region may lag behind.
void CheckMover(const GameState& s, bool player, int move) {
    const std::string when = (player ? "player, move " : "computer, move ") + std::to_string(move);
    EXPECT_TRUE(player
                    ? RegionIsPainted(s.PlayerMarks, s.Colors, s.PlayerColor, s.PlayerCount)
                    : RegionIsPainted(s.ComputerMarks, s.Colors, s.ComputerColor, s.ComputerCount))
        << when;
    EXPECT_TRUE(testing::BoardIsPlayable(s.Colors)) << when;
    EXPECT_EQ(s.Score, ExpectedScore(s)) << when;
}

struct Result {
    bool playerWon = false;
    int moves = 0;
};

// Plays one game from the variant's menu command to the question that ends it, answered No.
Result PlayOut(Table& t, bool classic, bool greedy) {
    classic ? t.game.mnuClassic_Click() : t.game.mnuCenture_Click();
    Result result;
    bool playerMoving = false;
    // The computer's turn begins by switching the retained drawing on: the player's move is
    // complete at that moment and the computer's has not begun.
    t.host.onAutoRedraw = [&](bool on) {
        if (on && playerMoving) CheckMover(t.s, true, result.moves);
        playerMoving = false;
    };
    t.host.onQuestion = [&] {
        result.playerWon = t.host.questions.back().first == "Do you want new games ?";
        CheckMover(t.s, result.playerWon, result.moves);
    };
    while (!t.game.Ended() && result.moves < 300) {
        ++result.moves;
        playerMoving = true;
        t.game.sPicture9_Click(testing::ScriptedPick(t.s, greedy) - FirstColour);
        if (!t.game.Ended()) CheckMover(t.s, false, result.moves);
    }
    return result;
}

// The centre start is strong enough that a greedy player loses on random boards; on this one
// the fourteen left columns are one colour, within the player's reach from the start.
Grid LeftColumnsOneColour() {
    Grid board;
    auto source = testing::SeededSource(11);
    for (auto& c : board.cells)
        c = static_cast<std::int16_t>(RandomColour(source()));
    for (int x = 0; x < 14; ++x) {
        for (int y = 0; y < BoardSide; ++y)
            board(x, y) = 12;
    }
    board(29, 0) = 9;
    return board;
}

TEST(WholeGame, EachSideWinsInBothVariants) {
    const struct {
        const char* name;
        bool classic, greedy;
        std::uint64_t seed;
        bool dealLeftColumns, playerWins;
    } cases[] = {
        {"classic, greedy player", true, true, 1, false, true},
        {"classic, meek player", true, false, 2, false, false},
        {"centre, greedy player", false, true, 1, false, false},
        {"centre, greedy player on a friendly board", false, true, 1, true, true},
    };
    for (const auto& c : cases) {
        Table t(c.seed);
        if (c.dealLeftColumns) t.QueueBoard(LeftColumnsOneColour());
        const Result r = PlayOut(t, c.classic, c.greedy);
        ASSERT_TRUE(t.game.Ended()) << c.name << ": no end after " << r.moves << " moves";
        EXPECT_EQ(r.playerWon, c.playerWins) << c.name;
        EXPECT_EQ(t.host.questions.size(), 1u) << c.name;
        EXPECT_GT(r.playerWon ? t.s.PlayerCount : t.s.ComputerCount, WinningCount) << c.name;
        EXPECT_EQ(t.s.PlayerMoves, r.moves) << c.name;
        // The finished game's score is the variant's record once it beats the empty file.
        const float stored =
            ReadRecord(t.host.files["res"], c.classic ? ClassicRecord : CentreRecord);
        EXPECT_EQ(stored, t.s.Score > 0 ? static_cast<float>(t.s.Score) : 0.0f) << c.name;
    }
}

}  // namespace
}  // namespace dyeland
