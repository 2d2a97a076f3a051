// Whole games of both variants, played to a win by either side, checking after every move that
// the mover's region, the board, the score, the picture and the Arcade clock agree.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>

#include "Table.h"
#include "game/HighScoreFile.h"

namespace dyeland {
namespace {

using test::AfterMove;
using test::Table;
using enum GameEvent::Kind;

struct Case {
    const char* name;
    bool classic = true, greedy = true;
    std::uint64_t seed = 1;
    // Who wins the last game. Arcade on: the player is slow after every third move and picks the
    // computer's colour before every fifth. The answer to the first question. Every file call
    // fails: the save is lost, and reported with the system's reason.
    bool playerWinsLast = false, arcade = false, yes = false, fileFails = false;
    // The player's move counter at the start; it outlives games and stays at its 16-bit limit.
    int movesBefore = 0;
};

// What a played game adds up: beeps heard, the best score, and the moves that end on exactly
// half the board, which wins nothing (the computer's, the player's).
struct Tally {
    int beeps = 0, bestScore = 0, halfBoardMoves[2] = {};
};

// One side right after its own move; the other side's region may lag behind.
void CheckMover(Table& t, bool player, int move, Tally& tally) {
    const GameState& s = t.s;
    SCOPED_TRACE((player ? "player, move " : "computer, move ") + std::to_string(move));
    EXPECT_TRUE(player ? AfterMove(s.playerMarks, s.colours, s.playerColour, s.playerCount)
                       : AfterMove(s.computerMarks, s.colours, s.computerColour, s.computerCount));
    EXPECT_NE(s.playerColour, s.computerColour);
    EXPECT_EQ(s.score, s.playerCount - s.computerCount + (s.classicGame ? 0 : 500));
    EXPECT_EQ(t.host.shown, s.colours);
    // Only the computer's move goes into the retained image that every repaint shows.
    EXPECT_EQ(player ? s.colours : t.host.kept, s.colours);
    if (t.game.QuestionOpen()) return;
    EXPECT_TRUE(player || t.host.LastTold() == PlayerToPick) << "the move untold";
    const int count = player ? s.playerCount : s.computerCount;
    EXPECT_LE(count, WinningCount) << "no win, no question";
    tally.halfBoardMoves[player] += count == WinningCount;
    // The Arcade clock runs while the player is to pick, and only then.
    EXPECT_EQ(t.host.clockRuns, !player && s.arcade);
    EXPECT_EQ(s.playerTurn, !player);
}

// Plays from the variant's menu command to the question answered No. Returns the number of
// picks; the questions tell who won.
int PlayOut(Table& t, const Case& c, Tally& tally) {
    c.classic ? t.game.ChooseClassic() : t.game.ChooseFromTheCentre();
    EXPECT_EQ(t.host.kept, t.s.colours) << "the new game's picture";
    EXPECT_EQ(t.host.LastTold(), BoardDealt);
    if (c.arcade) t.game.ToggleArcade();
    EXPECT_EQ(t.s.computerMarks(c.classic ? 29 : 15, c.classic ? 0 : 15), Marked);
    int moves = 0;
    bool newGameUnmoved = false;
    t.host.answers = {c.yes};
    t.host.onQuestion = [&] {
        const bool playerWon = t.host.questions.back().first == "Do you want new games ?";
        EXPECT_GT(playerWon ? t.s.playerCount : t.s.computerCount, WinningCount);
        EXPECT_EQ(t.host.events.back(),
                  (GameEvent{.kind = Won, .side = playerWon ? Side::Player : Side::Computer}));
        CheckMover(t, playerWon, moves, tally);
        const std::string title = playerWon ? "Yes..! Yor score = " : "No..! Yor score = ";
        EXPECT_EQ(t.host.questions.back().second, title + std::to_string(t.s.score));
        tally.bestScore = std::max(tally.bestScore, t.s.score);
        // After Yes to the player's win the computer moves first in the new game; after Yes to
        // its own win it hands the new game's first pick to the player.
        t.host.onYield = nullptr;
        newGameUnmoved = !playerWon;
        // The clock ticks in the question's own event loop and must not move behind it.
        if (c.arcade) t.game.TurnClockRanOut();
    };
    while (!t.game.Ended() && ++moves < 300) {
        if (c.arcade && moves % 5 == 0) {
            t.game.PickColour(t.s.computerColour - FirstColour);
            ++tally.beeps;
            EXPECT_TRUE(t.s.playerTurn) << "the computer's colour refused, move " << moves;
            EXPECT_EQ(t.host.LastTold(), PickRefused);
            EXPECT_FALSE(t.host.clockRuns) << "a pick stops the clock";
        }
        // The computer's turn yields after its evaluation, before it touches the board.
        t.host.onYield = [&] { CheckMover(t, true, moves, tally); };
        t.game.PickColour(test::ScriptedPick(t.s, c.greedy) - FirstColour);
        if (t.game.Ended()) break;
        if (std::exchange(newGameUnmoved, false))
            EXPECT_TRUE(t.s.playerTurn) << "the new game's first pick, move " << moves;
        else
            CheckMover(t, false, moves, tally);
        if (c.arcade && moves % 3 == 0) {  // the player is slow: the computer moves again
            const int colour = t.s.computerColour;
            t.game.TurnClockRanOut(), ++tally.beeps;
            if (t.game.Ended()) break;
            EXPECT_NE(t.s.computerColour, colour) << "the tick's move, move " << moves;
            CheckMover(t, false, moves, tally);
        }
    }
    return moves;
}

TEST(WholeGame, EveryMoveToTheEndKeepsTheGamesInvariants) {
    // Seeds 2 and 19 of the first and third rows each bring one side to exactly half the board.
    const Case cases[] = {
        {.name = "a greedy player wins a Classic game", .seed = 2, .playerWinsLast = true},
        {.name = "a meek player loses a Classic game", .classic = true, .greedy = false, .seed = 2},
        {.name = "the computer wins a centre game", .classic = false, .seed = 19},
        {.name = "a slow Arcade player who picks the computer's colour", .seed = 3, .arcade = true},
        {.name = "a win answered Yes, then a second game, the move counter reaching its limit",
         .playerWinsLast = true,
         .yes = true,
         .movesBefore = 32760},
        {.name = "a loss answered Yes, then a second game", .classic = false, .yes = true},
        {.name = "a file that cannot be read or saved", .playerWinsLast = true, .fileFails = true}};
    bool halfBoard[2] = {};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Table t(c.seed);
        if (c.fileFails) t.host.fileError = "Permission denied";
        t.s.playerMoves = static_cast<std::int16_t>(c.movesBefore);
        Tally tally;
        const int moves = PlayOut(t, c, tally);
        ASSERT_EQ(t.host.questions.size(), c.yes ? 2u : 1u) << moves << " moves";
        EXPECT_EQ(t.host.questions.back().first == "Do you want new games ?", c.playerWinsLast);
        EXPECT_TRUE(t.game.Ended());
        EXPECT_EQ(t.s.playerMoves, std::min(c.movesBefore + moves, 32767))
            << "a refused pick is no move; a new game counts on";
        EXPECT_EQ(t.host.beeps, tally.beeps) << "a beep for each tick and each refused pick";
        EXPECT_EQ(t.host.clockRestarts, 0) << "a running clock keeps its schedule";
        // The best score of the session is the variant's record once it beats the empty file.
        const float stored =
            ReadRecord(t.host.files["res"], c.classic ? ClassicRecord : CentreRecord);
        EXPECT_EQ(stored,
                  tally.bestScore > 0 && !c.fileFails ? static_cast<float>(tally.bestScore) : 0.0f);
        const std::string lost = "The high score could not be saved in the file \"res\": ";
        EXPECT_EQ(t.host.warnings,
                  std::vector<std::string>(c.fileFails ? 1 : 0, lost + "Permission denied"));
        for (int side : {0, 1})
            halfBoard[side] |= tally.halfBoardMoves[side] > 0;
    }
    EXPECT_TRUE(halfBoard[0] && halfBoard[1]) << "no move ended on half the board";
}

}  // namespace
}  // namespace dyeland
