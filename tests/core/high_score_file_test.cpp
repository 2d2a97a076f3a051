// The high-score file through the fake host: which scores a save writes and how, what the next
// game shows, and how each failing file call reaches the player without stopping the game.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/high_score_file.h"
#include "table.h"

namespace dyeland {
namespace {

using Bytes = std::vector<unsigned char>;

// Little-endian singles written out by hand, so that the tests do not share the code's byte
// order; the reserved bytes of a full file are not zero, so that a rewrite of a record shows.
const Bytes V120 = {0x00, 0x00, 0xF0, 0x42}, V300 = {0x00, 0x00, 0x96, 0x43},
            V651 = {0x00, 0xC0, 0x22, 0x44}, NaN = {0x00, 0x00, 0xC0, 0x7F},
            V120h = {0x00, 0x00, 0xF1, 0x42},
            Zeros6(6, 0), Reserved1 = {1, 2, 3, 4, 5, 6}, Reserved2 = {7, 8, 9, 10, 11, 12};

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// A save writes only a score above both the record shown at the new game and the record in the
// file now (another copy of the game may have stored a better one since), into its own record
// with the reserved bytes zeroed, every other byte of the two records kept. A lost save is
// reported with the system's reason; an unreadable file is never written blind. The next game
// shows the record in its shortest form, or 0 whatever is wrong with the file, without a word.
TEST(HighScoreFile, WritesOnlyABetterScoreAndReportsEveryLostOne) {
    const Bytes full = Concat({V120, Reserved1, V651, Reserved2});
    const struct {
        bool classic;
        int score;
        float shown;
        Bytes file, after;
        const char* next;
        std::string readError{}, replaceError{};
    } cases[] = {
        {true, 120, 0, {}, Concat({V120, Zeros6}), "120"},
        {false, 651, 0, V120h, Concat({V120h, Zeros6, V651, Zeros6}), "651"},
        {true, 300, 120, full, Concat({V300, Zeros6, V651, Reserved2}), "300"},
        {true, 120, 0, Concat({NaN, Reserved1, V651}), Concat({V120, Zeros6, V651}), "120"},
        {false, 300, 0, Concat({V120, Reserved1, V120, Reserved2, Bytes(9, 0xEE)}),
         Concat({V120, Reserved1, V300, Zeros6}), "300"},
        {true, 120, 120, full, full, "120"},
        {true, 100, 0, V120h, V120h, "120.5"},
        {true, 300, 0, full, full, "0", "Permission denied"},
        {false, 700, 0, full, full, "651", "", "Read-only file system"},
        {true, 50, 120, full, full, "0", "Is a directory"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(&c - cases);
        testing::Table t;
        t.s.ClassicGame = c.classic;
        t.s.Score = c.score;
        t.s.HighScore = c.shown;
        t.host.files["res"] = c.file;
        t.host.readError = c.readError;
        t.host.replaceError = c.replaceError;
        t.game.SaveHighScore();
        EXPECT_EQ(t.host.files["res"], c.after);
        const std::string reason = c.score > c.shown ? c.readError + c.replaceError : "";
        const std::string text = "The high score could not be saved in the file \"res\": ";
        const std::vector<std::string> warned(reason.empty() ? 0 : 1, text + reason);
        EXPECT_EQ(t.host.warnings, warned);
        t.game.cmdStart_Click();
        EXPECT_EQ(t.host.captions[Caption::Label10], c.next);
        EXPECT_EQ(t.host.warnings, warned);
        // Clearing the high scores: a failed delete is reported and the new game still starts.
        t.host.removeError = c.readError;
        t.host.answers = {true};
        t.game.mnuScor_Click();
        EXPECT_EQ(t.host.warnings.size(), warned.size() + !c.readError.empty());
        EXPECT_EQ(t.host.captions[Caption::Label10], "0");
    }
    // Bytes past the two records are no part of the file; a rewrite drops them.
    EXPECT_EQ(WithRecord(Concat({V120, Reserved1, V651, Reserved2, {0xEE}}), 1, 300).size(), 20u);
}

}  // namespace
}  // namespace dyeland
