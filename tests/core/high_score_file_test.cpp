// The high-score file through the fake host: its byte layout, when a save writes, and how
// file failures reach the player without stopping the game.
#include <gtest/gtest.h>

#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "fake_host.h"
#include "game/game.h"
#include "game/high_score_file.h"

namespace dyeland {
namespace {

using Bytes = std::vector<unsigned char>;
using testing::FakeHost;

// Little-endian singles, written out by hand so that the tests do not share the code's
// byte order.
const Bytes Value120 = {0x00, 0x00, 0xF0, 0x42};
const Bytes Value300 = {0x00, 0x00, 0x96, 0x43};
const Bytes Value651 = {0x00, 0xC0, 0x22, 0x44};
const Bytes NaN = {0x00, 0x00, 0xC0, 0x7F};
const Bytes Zeros6(6, 0);

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

// A full file whose reserved bytes are not zero, so that a rewrite of the other record shows.
Bytes FileWith(const Bytes& classic, const Bytes& centre) {
    return Concat({classic, {1, 2, 3, 4, 5, 6}, centre, {7, 8, 9, 10, 11, 12}});
}

// Values sit at ten-byte steps; a file ending inside a value holds no score there (the program
// never writes part of one), and a value that is not a finite number is no score either.
TEST(HighScoreRecord, ReadsFiniteValuesAndNothingElse) {
    const Bytes inf = {0x00, 0x00, 0x80, 0x7F}, minusInf = {0x00, 0x00, 0x80, 0xFF};
    const struct {
        Bytes file;
        int record;
        float value;
    } cases[] = {
        {FileWith(Value120, Value651), 1, 120.0f},
        {FileWith(Value120, Value651), 2, 651.0f},
        {{0x00, 0x00, 0x7B, 0xC3}, 1, -251.0f},
        {Concat({Bytes(10, 0), Value651}), 2, 651.0f},  // the reserved bytes are never read
        {{}, 1, 0.0f},
        {{0x00, 0x00, 0xF0}, 1, 0.0f},
        {Concat({Value120, Zeros6, {0x00, 0x00, 0xF0}}), 2, 0.0f},
        {FileWith(NaN, inf), 1, 0.0f},
        {FileWith(inf, NaN), 1, 0.0f},
        {FileWith(minusInf, NaN), 1, 0.0f},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(ReadRecord(cases[i].file, cases[i].record), cases[i].value) << "case " << i;
}

// A new value fills its record's four bytes and zeroes its six reserved ones; every other byte
// stays, a short file grows to hold the record and an oversized one is cut to two records.
TEST(HighScoreRecord, ReplacingOneRecordKeepsEveryOtherByte) {
    const Bytes full = FileWith(Value120, Value651);
    const Bytes classicReplaced = Concat({Value300, Zeros6, Value651, {7, 8, 9, 10, 11, 12}});
    const struct {
        Bytes file;
        int record;
        Bytes expected;
    } cases[] = {
        {full, 1, classicReplaced},
        {full, 2, Concat({Value120, {1, 2, 3, 4, 5, 6}, Value300, Zeros6})},
        {{}, 1, Concat({Value300, Zeros6})},
        {{}, 2, Concat({Bytes(10, 0), Value300, Zeros6})},
        // A stray byte of a torn record 2 is overwritten, the bytes before it are kept.
        {Bytes(11, 9), 2, Concat({Bytes(10, 9), Value300, Zeros6})},
        {Concat({full, Bytes(15, 0xEE)}), 1, classicReplaced},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i)
        EXPECT_EQ(WithRecord(cases[i].file, cases[i].record, 300.0f), cases[i].expected) << i;
}

// A game that has just ended with this score, after a new game showed highScore.
struct Ended {
    FakeHost host;
    Game game{host};

    Ended(bool classic, int score, float highScore, const Bytes& file) {
        game.state.ClassicGame = classic;
        game.state.Score = score;
        game.state.HighScore = highScore;
        host.files["res"] = file;
    }
    const Bytes& File() { return host.files["res"]; }
};

// A save writes only a score above both the record shown at the new game and the record in the
// file now: another copy of the game in the same folder may have stored a better one since.
TEST(SaveHighScore, WritesOnlyAScoreAboveTheShownAndTheStoredRecord) {
    const Bytes full = FileWith(Value120, Value651);
    const Bytes better = FileWith(Value300, Value300);
    const struct {
        const char* what;
        bool classic;
        int score;
        float shown;
        Bytes file, after;
    } cases[] = {
        {"120 into an empty file", true, 120, 0, {}, Concat({Value120, Zeros6})},
        {"the centre game's record", false, 651, 0, {}, Concat({Bytes(10, 0), Value651, Zeros6})},
        {"a better Classic score", true, 300, 120, full,
         Concat({Value300, Zeros6, Value651, {7, 8, 9, 10, 11, 12}})},
        {"a better centre score", false, 300, 120, FileWith(Value651, Value120),
         Concat({Value651, {1, 2, 3, 4, 5, 6}, Value300, Zeros6})},
        {"a score over a garbage record", true, 120, 0, FileWith(NaN, Value651),
         Concat({Value120, Zeros6, Value651, {7, 8, 9, 10, 11, 12}})},
        {"a save into an oversized file", false, 300, 0,
         Concat({FileWith(Value120, Value120), Bytes(100, 0xEE)}),
         Concat({Value120, {1, 2, 3, 4, 5, 6}, Value300, Zeros6})},
        {"equal to the shown record", true, 120, 120, full, full},
        {"equal to the shown record, the file emptied since", true, 120, 120, {}, {}},
        {"a lost Classic game", true, -5, 0, {}, {}},
        {"below a record stored since", true, 200, 120, better, better},
        {"equal to a record stored since", true, 300, 120, FileWith(Value300, Value651),
         FileWith(Value300, Value651)},
    };
    for (const auto& c : cases) {
        Ended end(c.classic, c.score, c.shown, c.file);
        end.game.SaveHighScore();
        EXPECT_EQ(end.File(), c.after) << c.what;
        EXPECT_EQ(end.host.replaces, c.after == c.file ? 0 : 1) << c.what;
        EXPECT_TRUE(end.host.warnings.empty()) << c.what;
        // The shown record stays until the next new game reads the file again.
        EXPECT_EQ(end.game.state.HighScore, c.shown) << c.what;
    }
}

// A lost save is reported in a warning that names the file and the system's reason, and the
// game plays on. A file that cannot be read is not written blind (that would wipe the other
// record), and is nothing to report when the score would not have been written anyway.
TEST(SaveHighScore, AFailedSaveWarnsWithTheReasonAndKeepsTheFile) {
    const struct {
        bool classic;
        int score;
        float shown;
        std::string readError, replaceError, reason;
    } cases[] = {
        {true, 300, 0, "Permission denied", "", "Permission denied"},
        {false, 700, 0, "", "Read-only file system", "Read-only file system"},
        {true, 50, 120, "Is a directory", "", ""},
    };
    for (const auto& c : cases) {
        Ended end(c.classic, c.score, c.shown, FileWith(Value120, Value651));
        end.host.readError = c.readError;
        end.host.replaceError = c.replaceError;
        end.game.SaveHighScore();
        EXPECT_EQ(end.File(), FileWith(Value120, Value651)) << c.score;
        EXPECT_EQ(end.host.replaces, 0) << c.score;
        ASSERT_EQ(end.host.warnings.size(), c.reason.empty() ? 0u : 1u) << c.score;
        if (!c.reason.empty()) {
            const std::string& text = end.host.warnings[0];
            EXPECT_NE(text.find("\"res\""), std::string::npos) << text;
            EXPECT_NE(text.find(c.reason), std::string::npos) << text;
        }
        EXPECT_TRUE(end.host.questions.empty());
        EXPECT_FALSE(end.game.Ended() || end.game.QuestionOpen());
        EXPECT_EQ(end.game.state.HighScore, c.shown);
    }
}

// The end of a won game: the save comes first, and a save that fails still leads to the
// question for a new game.
TEST(SaveHighScore, AFailedSaveAtAWinStillAsksForANewGame) {
    FakeHost host;
    Game game(host);
    game.Form_Load();
    game.state.Colors.Fill(9);  // the first pick takes the whole board
    host.replaceError = "No space left on device";
    std::size_t warningsAtQuestion = 0;
    host.onQuestion = [&] { warningsAtQuestion = host.warnings.size(); };
    game.sPicture9_Click(1);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].second, "Yes..! Yor score = 900");
    EXPECT_EQ(warningsAtQuestion, 1u);
    EXPECT_EQ(host.warnings.size(), 1u);
}

// A new game shows the stored record of its variant in its shortest decimal form. Whatever is
// wrong with the file it shows 0 and says nothing: the player hears of a file problem only
// when a score is lost.
TEST(ReadHighScore, ANewGameShowsItsVariantsRecordOrZero) {
    // 120.5 in record 1, 651 in record 2.
    const Bytes file = {0x00, 0x00, 0xF1, 0x42, 0, 0, 0, 0, 0, 0, 0x00, 0xC0, 0x22, 0x44};
    const struct {
        const char* what;
        bool classic;
        std::optional<Bytes> file;
        std::string readError;
        float record;
        const char* shown;
    } cases[] = {
        {"Classic", true, file, "", 120.5f, "120.5"},
        {"centre", false, file, "", 651.0f, "651"},
        {"missing", true, std::nullopt, "", 0.0f, "0"},
        {"short", true, Bytes{0x00, 0x00, 0xF0}, "", 0.0f, "0"},
        {"garbage", true, FileWith({0xFF, 0xFF, 0xFF, 0xFF}, Value651), "", 0.0f, "0"},
        {"unreadable", true, file, "Is a directory", 0.0f, "0"},
    };
    for (const auto& c : cases) {
        FakeHost host;
        Game game(host);
        game.Form_Load();
        game.state.ClassicGame = c.classic;
        game.state.HighScore = game.state.HighScoreClassic = game.state.HighScoreCentre = 500.0f;
        if (c.file) host.files["res"] = *c.file;
        host.readError = c.readError;
        game.cmdStart_Click();
        EXPECT_EQ(game.state.HighScore, c.record) << c.what;
        EXPECT_EQ(host.CaptionOf(Caption::Label10), c.shown) << c.what;
        EXPECT_TRUE(host.warnings.empty()) << c.what;
    }
}

TEST(DeleteHighScore, AFailedDeleteWarnsAndTheNewGameStillStarts) {
    FakeHost host;
    Game game(host);
    game.Form_Load();
    host.files["res"] = FileWith(Value120, Value651);
    host.removeError = "Permission denied";
    host.answers = {true};
    game.mnuScor_Click();
    ASSERT_EQ(host.warnings.size(), 1u);
    EXPECT_NE(host.warnings[0].find("\"res\""), std::string::npos) << host.warnings[0];
    EXPECT_NE(host.warnings[0].find("Permission denied"), std::string::npos) << host.warnings[0];
    EXPECT_FALSE(game.Ended());
    EXPECT_EQ(host.CaptionOf(Caption::cmdStart), "New game");
    EXPECT_EQ(host.CaptionOf(Caption::Label10), "120");
}

}  // namespace
}  // namespace dyeland
