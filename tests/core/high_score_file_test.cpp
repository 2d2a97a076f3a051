// The high-score file through the fake host: its byte layout, when a save writes, and how
// file failures reach the player without stopping the game.
#include <gtest/gtest.h>

#include <algorithm>
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

Bytes Concat(std::initializer_list<Bytes> parts) {
    Bytes all;
    for (const Bytes& p : parts)
        all.insert(all.end(), p.begin(), p.end());
    return all;
}

Bytes Zeros(std::size_t n) {
    return Bytes(n, 0);
}

// A full file whose reserved bytes are not zero, so that a rewrite of the other record shows.
Bytes FileWith(const Bytes& classic, const Bytes& centre) {
    return Concat({classic, {1, 2, 3, 4, 5, 6}, centre, {7, 8, 9, 10, 11, 12}});
}

// A game that has just ended with this score, after a new game showed highScore.
struct Ended {
    FakeHost host;
    Game game{host};

    Ended(bool classic, int score, float highScore) {
        game.state.ClassicGame = classic;
        game.state.Score = score;
        game.state.HighScore = highScore;
        host.captions[Caption::Label10] = "shown";
    }
    Bytes& File() { return host.files["res"]; }
};

TEST(HighScoreRecord, ValuesAreLittleEndianSinglesAtTenByteSteps) {
    Bytes file = FileWith(Value120, Value651);
    EXPECT_EQ(ReadRecord(file, 1), 120.0f);
    EXPECT_EQ(ReadRecord(file, 2), 651.0f);

    Bytes negative = Concat({{0x00, 0x00, 0x7B, 0xC3}, Zeros(6)});
    EXPECT_EQ(ReadRecord(negative, 1), -251.0f);
}

// The program never writes part of a value, so a file ending inside one holds no score.
TEST(HighScoreRecord, ValueBytesPastTheEndReadAsZero) {
    EXPECT_EQ(ReadRecord(Bytes{}, 1), 0.0f);
    EXPECT_EQ(ReadRecord(Bytes{}, 2), 0.0f);
    EXPECT_EQ(ReadRecord(Concat({Value120, Zeros(6)}), 2), 0.0f);
    EXPECT_EQ(ReadRecord(Concat({Value120, Zeros(6), {0x00, 0x00, 0xF0}}), 2), 0.0f);
    EXPECT_EQ(ReadRecord(Bytes{0x00, 0x00, 0xF0}, 1), 0.0f);
    // The value alone is enough; the reserved bytes are never read.
    EXPECT_EQ(ReadRecord(Concat({Zeros(10), Value651}), 2), 651.0f);
}

TEST(HighScoreRecord, ANumberThatIsNotFiniteReadsAsZero) {
    const Bytes nan = {0x00, 0x00, 0xC0, 0x7F};
    const Bytes inf = {0x00, 0x00, 0x80, 0x7F};
    const Bytes minusInf = {0x00, 0x00, 0x80, 0xFF};
    for (const Bytes& value : {nan, inf, minusInf}) {
        EXPECT_EQ(ReadRecord(FileWith(value, value), 1), 0.0f);
        EXPECT_EQ(ReadRecord(FileWith(value, value), 2), 0.0f);
    }
}

TEST(HighScoreRecord, ReplacingOneRecordKeepsEveryOtherByte) {
    Bytes file = FileWith(Value120, Value651);
    Bytes expected = file;
    std::copy(Value300.begin(), Value300.end(), expected.begin());
    std::fill(expected.begin() + 4, expected.begin() + 10, 0);
    EXPECT_EQ(WithRecord(file, 1, 300.0f), expected);

    expected = file;
    std::copy(Value300.begin(), Value300.end(), expected.begin() + 10);
    std::fill(expected.begin() + 14, expected.end(), 0);
    EXPECT_EQ(WithRecord(file, 2, 300.0f), expected);
}

TEST(HighScoreRecord, AShortFileGrowsAndAnOversizedOneIsCutToTwoRecords) {
    EXPECT_EQ(WithRecord(Bytes{}, 1, 120.0f), Concat({Value120, Zeros(6)}));
    EXPECT_EQ(WithRecord(Bytes{}, 2, 120.0f), Concat({Zeros(10), Value120, Zeros(6)}));
    // A stray byte of a torn record 2 is overwritten, the bytes before it are kept.
    EXPECT_EQ(WithRecord(Bytes{9, 9, 9, 9, 9, 9, 9, 9, 9, 9, 9}, 2, 120.0f),
              Concat({Bytes(10, 9), Value120, Zeros(6)}));

    Bytes oversized = Concat({FileWith(Value120, Value651), Bytes(15, 0xEE)});
    Bytes cut = WithRecord(oversized, 1, 300.0f);
    ASSERT_EQ(cut.size(), HighScoreFileSize);
    EXPECT_EQ(ReadRecord(cut, 1), 300.0f);
    EXPECT_TRUE(std::equal(cut.begin() + 10, cut.end(), oversized.begin() + 10));
}

TEST(SaveHighScore, AWonClassicGameOf120WritesItsBytes) {
    Ended end(true, 120, 0.0f);
    end.game.SaveHighScore();
    EXPECT_EQ(end.File(), Concat({Value120, Zeros(6)}));
    EXPECT_EQ(end.game.state.HighScoreClassic, 120.0f);
    // The shown record stays until the next new game reads the file again.
    EXPECT_EQ(end.game.state.HighScore, 0.0f);
    EXPECT_EQ(end.host.CaptionOf(Caption::Label10), "shown");
    EXPECT_TRUE(end.host.warnings.empty());
}

TEST(SaveHighScore, TheCentreGameUsesTheSecondRecord) {
    Ended end(false, 651, 0.0f);
    end.game.SaveHighScore();
    ASSERT_GE(end.File().size(), 14u);
    EXPECT_EQ(ReadRecord(end.File(), 1), 0.0f);
    EXPECT_EQ(ReadRecord(end.File(), 2), 651.0f);
    EXPECT_EQ(end.game.state.HighScoreCentre, 651.0f);
    EXPECT_EQ(end.game.state.HighScoreClassic, 0.0f);
}

TEST(SaveHighScore, OnlyAScoreAboveTheShownRecordIsWritten) {
    struct Case {
        bool classic;
        int score;
        float highScore;
        Bytes file;
    };
    const Case cases[] = {
        {true, 120, 120.0f, FileWith(Value120, Value651)},  // equal
        {true, 119, 120.0f, FileWith(Value120, Value651)},  // lower
        {false, 651, 651.0f, FileWith(Value120, Value651)},
        {true, -5, 0.0f, Bytes{}},  // a lost Classic game does not beat an empty file
        {true, 0, 0.0f, Bytes{}},
    };
    for (const Case& c : cases) {
        Ended end(c.classic, c.score, c.highScore);
        end.File() = c.file;
        end.game.SaveHighScore();
        EXPECT_EQ(end.host.replaces, 0) << "score " << c.score;
        EXPECT_EQ(end.File(), c.file) << "score " << c.score;
        EXPECT_EQ(end.game.state.HighScore, c.highScore);
    }
}

// Another copy of the game in the same folder may have stored a better score since this one
// read the file; a save must not lower it.
TEST(SaveHighScore, ABetterRecordAlreadyInTheFileIsNeverLowered) {
    for (bool classic : {true, false}) {
        Ended end(classic, 200, 120.0f);
        end.File() = FileWith(Value300, Value300);
        end.game.SaveHighScore();
        EXPECT_EQ(end.host.replaces, 0) << "classic " << classic;
        EXPECT_EQ(end.File(), FileWith(Value300, Value300));
    }
    Ended equal(true, 300, 120.0f);
    equal.File() = FileWith(Value300, Value651);
    equal.game.SaveHighScore();
    EXPECT_EQ(equal.host.replaces, 0);
}

TEST(SaveHighScore, ABetterScoreKeepsTheOtherRecordByteForByte) {
    Ended classic(true, 300, 120.0f);
    classic.File() = FileWith(Value120, Value651);
    classic.game.SaveHighScore();
    EXPECT_EQ(classic.host.replaces, 1);
    EXPECT_EQ(classic.File(), Concat({Value300, Zeros(6), Value651, {7, 8, 9, 10, 11, 12}}));

    Ended centre(false, 700, 651.0f);
    centre.File() = FileWith(Value120, Value651);
    centre.game.SaveHighScore();
    EXPECT_EQ(ReadRecord(centre.File(), 2), 700.0f);
    EXPECT_TRUE(std::equal(centre.File().begin(), centre.File().begin() + 10,
                           FileWith(Value120, Value651).begin()));
}

// A garbage record is no score, so the first real score replaces it.
TEST(SaveHighScore, AGarbageRecordIsOverwritten) {
    Ended end(true, 1, 0.0f);
    end.File() = FileWith({0x00, 0x00, 0xC0, 0x7F}, Value651);
    end.game.SaveHighScore();
    EXPECT_EQ(ReadRecord(end.File(), 1), 1.0f);
    EXPECT_EQ(ReadRecord(end.File(), 2), 651.0f);
}

// An oversized file is read and written as its first two records only.
TEST(SaveHighScore, AnOversizedFileKeepsItsTwoRecords) {
    Ended end(false, 700, 0.0f);
    end.File() = Concat({FileWith(Value120, Value651), Bytes(100, 0xEE)});
    end.game.SaveHighScore();
    EXPECT_EQ(end.File().size(), HighScoreFileSize);
    EXPECT_EQ(ReadRecord(end.File(), 1), 120.0f);
    EXPECT_EQ(ReadRecord(end.File(), 2), 700.0f);
}

// The player hears of a lost save, and the game goes on to its question with its numbers.
void ExpectOneWarningAndPlayOn(const Ended& end, const std::string& reason) {
    ASSERT_EQ(end.host.warnings.size(), 1u);
    const std::string& text = end.host.warnings[0];
    EXPECT_NE(text.find("\"res\""), std::string::npos) << text;
    EXPECT_NE(text.find(reason), std::string::npos) << text;
    EXPECT_TRUE(end.host.questions.empty());
    EXPECT_FALSE(end.game.Ended());
    EXPECT_FALSE(end.game.QuestionOpen());
    EXPECT_EQ(end.game.state.HighScore, 0.0f);
}

TEST(SaveHighScore, AFileThatCannotBeReadIsNotWrittenBlind) {
    Ended end(true, 300, 0.0f);
    end.File() = FileWith(Value120, Value651);
    end.host.readError = "Permission denied";
    end.game.SaveHighScore();
    // Writing without knowing the other record would wipe it.
    EXPECT_EQ(end.host.replaces, 0);
    EXPECT_EQ(end.File(), FileWith(Value120, Value651));
    ExpectOneWarningAndPlayOn(end, "Permission denied");
}

TEST(SaveHighScore, AFailedWriteWarnsAndKeepsTheFile) {
    Ended end(false, 700, 0.0f);
    end.File() = FileWith(Value120, Value651);
    end.host.replaceError = "Read-only file system";
    end.game.SaveHighScore();
    EXPECT_EQ(end.File(), FileWith(Value120, Value651));
    ExpectOneWarningAndPlayOn(end, "Read-only file system");
}

// Nothing would have been written, so a file that cannot be read is nothing to report.
TEST(SaveHighScore, AnUnreadableFileIsNoProblemWhenTheScoreIsNoRecord) {
    Ended end(true, 50, 120.0f);
    end.host.readError = "Is a directory";
    end.game.SaveHighScore();
    EXPECT_TRUE(end.host.warnings.empty());
    EXPECT_EQ(end.host.replaces, 0);
}

// The end of a won game: the save comes first, and a save that fails still leads to the
// question for a new game.
TEST(SaveHighScore, AFailedSaveAtAWinStillAsksForANewGame) {
    FakeHost host;
    Game game(host);
    game.Form_Load();
    game.state.Colors.Fill(9);  // the first pick takes the whole board
    host.files["res"] = FileWith(Value120, Value651);
    host.replaceError = "No space left on device";
    std::size_t warningsAtQuestion = 0;
    host.onQuestion = [&] { warningsAtQuestion = host.warnings.size(); };
    game.sPicture9_Click(1);
    ASSERT_EQ(host.questions.size(), 1u);
    EXPECT_EQ(host.questions[0].second, "Yes..! Yor score = 900");
    EXPECT_EQ(warningsAtQuestion, 1u);
    EXPECT_EQ(host.warnings.size(), 1u);
    EXPECT_EQ(host.files["res"], FileWith(Value120, Value651));
}

// A new game shows the stored record of its variant.
TEST(ReadHighScore, ANewGameReadsTheRecordOfItsVariant) {
    struct Case {
        bool classic;
        float record;
        const char* shown;
    };
    for (Case c : {Case{true, 120.0f, "120"}, Case{false, 651.0f, "651"}}) {
        FakeHost host;
        Game game(host);
        game.Form_Load();
        game.state.ClassicGame = c.classic;
        host.files["res"] = FileWith(Value120, Value651);
        game.cmdStart_Click();
        EXPECT_EQ(game.state.HighScore, c.record);
        EXPECT_EQ(c.classic ? game.state.HighScoreClassic : game.state.HighScoreCentre, c.record);
        EXPECT_EQ(host.CaptionOf(Caption::Label10), c.shown);
        EXPECT_EQ(host.files["res"], FileWith(Value120, Value651));
    }
}

// Whatever is wrong with the file, the new game starts with a record of 0 and no message:
// the player hears of a file problem only when a score is lost.
TEST(ReadHighScore, AFileWithNoUsableRecordReadsAsZero) {
    struct Case {
        const char* what;
        std::optional<Bytes> file;
        std::string readError;
    };
    const Case cases[] = {
        {"missing", std::nullopt, ""},
        {"empty", Bytes{}, ""},
        {"short", Bytes{0x00, 0x00, 0xF0}, ""},
        {"garbage", FileWith({0xFF, 0xFF, 0xFF, 0xFF}, Value651), ""},
        {"unreadable", FileWith(Value120, Value651), "Is a directory"},
    };
    for (const Case& c : cases) {
        FakeHost host;
        Game game(host);
        game.Form_Load();
        game.state.HighScore = 500.0f;
        game.state.HighScoreClassic = 500.0f;
        if (c.file) host.files["res"] = *c.file;
        host.readError = c.readError;
        game.cmdStart_Click();
        EXPECT_EQ(game.state.HighScore, 0.0f) << c.what;
        EXPECT_EQ(game.state.HighScoreClassic, 0.0f) << c.what;
        EXPECT_EQ(host.CaptionOf(Caption::Label10), "0") << c.what;
        EXPECT_TRUE(host.warnings.empty()) << c.what;
    }
    // The first game in a folder leaves an empty file behind.
    FakeHost host;
    Game game(host);
    game.Form_Load();
    game.cmdStart_Click();
    ASSERT_EQ(host.files.count("res"), 1u);
    EXPECT_TRUE(host.files["res"].empty());
}

TEST(DeleteHighScore, NewScoreClearsBothRecordsAndStartsAGame) {
    FakeHost host;
    Game game(host);
    game.Form_Load();
    host.files["res"] = FileWith(Value120, Value651);
    host.answers = {true};
    game.mnuScor_Click();
    EXPECT_TRUE(host.files["res"].empty());
    EXPECT_EQ(game.state.HighScore, 0.0f);
    EXPECT_EQ(host.CaptionOf(Caption::Label10), "0");
    EXPECT_TRUE(host.warnings.empty());

    // Before any game in a new folder there is no file to delete, and that is fine.
    FakeHost fresh;
    Game first(fresh);
    first.Form_Load();
    fresh.answers = {true};
    first.mnuScor_Click();
    EXPECT_TRUE(fresh.warnings.empty());
    EXPECT_EQ(fresh.CaptionOf(Caption::cmdStart), "New game");
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
