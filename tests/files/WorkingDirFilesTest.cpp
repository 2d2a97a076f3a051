// The real file access of the high-score file, in throwaway folders: whatever sits under the
// name "res", the game gets bytes or a reason, never a hang, a torn or a stray file, and it
// never writes a file that is not a high-score file. The game itself, on these files, clears
// them for New score and never lowers a record when copies save at once.
#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <set>
#include <string>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "FakeHost.h"
#include "files/WorkingDirFiles.h"
#include "game/Game.h"
#include "game/HighScoreFile.h"

namespace dyeland {
namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

WorkingDirFiles files;  // no state of its own: the working folder is the state

void Write(const fs::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

std::string Contents(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

Names Entries(const fs::path& folder) {
    Names names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::string Save(const char* name, const std::string& text) {
    return files.Update(name, 20,
                        [&](auto) { return std::vector<unsigned char>(text.begin(), text.end()); });
}

// Runs check(k) for k = 0 .. copies - 1, each in a forked child, all released at once; true when
// each returned true there.
bool InChildren(int copies, const std::function<bool(int)>& check) {
    int go[2];
    if (::pipe(go) != 0) return false;
    std::vector<pid_t> children;
    for (int k = 0; k < copies; ++k) {
        children.push_back(::fork());
        if (children.back() == 0) {
            char byte;
            ::close(go[1]);
            (void)!::read(go[0], &byte, 1);  // returns when the parent closes its end
            ::_exit(check(k) ? 0 : 1);
        }
    }
    ::close(go[0]), ::close(go[1]);
    int failed = 0;
    for (pid_t child : children) {
        int status = -1;  // 0 only for a child that exited with 0
        failed += child <= 0 || ::waitpid(child, &status, 0) != child || status != 0;
    }
    return failed == 0;
}

// Each test runs in an empty folder of its own, as the game runs in its working directory.
// The folder goes with everything in it, byte names included.
struct InAFolder : ::testing::Test {
    std::string dir = (fs::temp_directory_path() / "dyeland-test-XXXXXX").string();
    InAFolder() {
        EXPECT_NE(::mkdtemp(dir.data()), nullptr);
        fs::current_path(dir);
    }
    ~InAFolder() override {
        fs::current_path("/");
        fs::remove_all(dir);
    }
};

const std::string Old(20, 'o'), New(20, 'n'), Profile(30, 'p');

// A folder the player shares with others, sticky and world-writable like /tmp, whose name is not
// valid UTF-8, holding what may sit under the name "res": a FIFO, a device, a folder, a file
// longer than the format, a write-protected record, the player's own links to a foreign file, to
// nothing and to a record file, and another user's link to a record file of the player's.
struct InASharedFolder : InAFolder {
    bool planted = false;  // making a link that another user owns takes root
    InASharedFolder() {
        fs::create_directories("caf\xe9/real");
        fs::current_path("caf\xe9");
        fs::permissions(".", fs::perms::all | fs::perms::sticky_bit);
        Write("real/scores", Old);
        fs::permissions("real/scores", fs::perms(02640));  // setgid, which a save must not copy
        Write("real/mine", Old);
        Write("profile", Profile);
        Write("protected", Old);
        ::chmod("protected", 0444);
        EXPECT_EQ(::mkfifo("fifo", 0666), 0);
        fs::create_directory("folder");
        for (auto [link, target] : {std::pair{"device", "/dev/zero"},
                                    {"link", "real/scores"},
                                    {"foreign", "profile"},
                                    {"dangling", "real/nothing"},
                                    {"planted", "real/mine"}})
            fs::create_symlink(target, link);
        planted = ::lchown("planted", 65534, 65534) == 0;
        if (!planted)
            std::cout << "Row \"planted\" skipped: only root can make another user's link.\n";
    }
};

// Whatever is not a high-score file of the player's is never written, and never read if reading
// could hang or lie. A read creates a missing file empty; the player's link to a record file is
// saved through and stays a link. Removing nothing is no error.
TEST_F(InASharedFolder, NothingButAHighScoreFileOfThePlayersIsEverWritten) {
    Names before = Entries(".");
    const struct {
        const char* name;
        bool readWorks, saveWorks;
    } cases[] = {{"fifo", false, false},     {"device", false, false},  {"folder", false, false},
                 {"profile", true, false},   {"foreign", true, false},  {"dangling", false, false},
                 {"protected", true, false}, {"planted", false, false}, {"link", true, true},
                 {"missing", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.name == std::string_view("planted") && !planted) continue;
        const std::string old = c.readWorks ? Contents(c.name) : "";  // a FIFO would block
        ::alarm(10);  // a hang here should fail the run rather than stall it
        FileContents read = files.Read(c.name, 20);
        ::alarm(0);
        EXPECT_EQ(read.error.empty(), c.readWorks) << read.error;
        EXPECT_EQ(std::string(read.bytes.begin(), read.bytes.end()), old.substr(0, 20));
        EXPECT_EQ(Save(c.name, New).empty(), c.saveWorks);
        if (c.readWorks) {
            EXPECT_EQ(Contents(c.name), c.saveWorks ? New : old);
        }
    }
    EXPECT_TRUE(fs::is_symlink("link"));
    EXPECT_EQ(fs::status("real/scores").permissions(), fs::perms(0640));
    before.insert("missing");
    EXPECT_EQ(Entries("."), before);
    EXPECT_EQ(Entries("real"), (Names{"mine", "scores"}));
    EXPECT_EQ(Contents("real/mine"), Old);
}

// New score empties what a save could write and keeps the player's links; where a save would
// refuse, it refuses too; a plain record file is deleted.
TEST_F(InASharedFolder, NewScoreClearsOnlyWhatASaveCouldWrite) {
    // clang-format off
    const struct {
        const char* name;
        bool clears;
        const char* file;
        std::string after;  // the file's bytes afterwards ("" if not a regular file), or "gone"
    } cases[] = {
        {"link", true, "real/scores", ""},            {"foreign", false, "profile", Profile},
        {"planted", false, "real/mine", Old},         {"protected", false, "protected", Old},
        {"dangling", false, "real/nothing", "gone"},  {"profile", false, "profile", Profile},
        {"fifo", false, "fifo", ""},                  {"folder", false, "folder", ""},
        {"record", true, "record", "gone"},           {"nothing", true, "nothing", "gone"}};
    // clang-format on
    Write("record", Old);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.name == std::string_view("planted") && !planted) continue;
        EXPECT_EQ(files.Remove(c.name, 20).empty(), c.clears);
        const auto file = fs::status(c.file);
        const std::string kept = is_regular_file(file) ? Contents(c.file) : "";  // a FIFO blocks
        EXPECT_EQ(exists(file) ? kept : "gone", c.after);
    }
    EXPECT_TRUE(fs::is_symlink("link") && fs::is_symlink("planted") && fs::is_symlink("dangling"));
    EXPECT_EQ(Entries("real"), (Names{"mine", "scores"}));
}

// A write that stops part-way (at a file size limit here; a full disk fails the same way): the
// save fails with the system's reason, and every byte of the old file stays.
TEST_F(InAFolder, AFailedSaveKeepsTheOldFileAndSaysWhy) {
    Write("res", Old);
    EXPECT_TRUE(InChildren(1, [](int) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{12, 12};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 && Save("res", New) == "File too large";
    }));
    EXPECT_EQ(Contents("res"), Old);
    EXPECT_EQ(Entries("."), Names{"res"});
}

// A file the player cannot read is never written: a save could not keep the other record in it.
// Root reads any file, so as root the check runs as nobody, in a folder open to all.
TEST_F(InAFolder, AFileThatCannotBeReadIsNeverWritten) {
    Write("res", Old);
    ::chmod("res", 0222);
    ::chmod(".", 0777);
    EXPECT_TRUE(InChildren(1, [](int) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return false;
        return files.Read("res", 20).error == "Permission denied" &&
               Save("res", New) == "Permission denied";
    }));
    ::chmod("res", 0600);
    EXPECT_EQ(Contents("res"), Old);
}

// While another copy of the game holds the folder's lock, a save waits and then gives up with
// the reason, leaving the file as it was.
TEST_F(InAFolder, ASaveWaitsForTheLockAnotherCopyHolds) {
    Write("res", Old);
    const int folder = ::open(".", O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(::flock(folder, LOCK_EX), 0);
    EXPECT_TRUE(InChildren(1, [](int) {  // a lock of its own, as another process would take it
        return Save("res", New) ==
               "another copy of the game was saving its score in the same folder";
    }));
    ::close(folder);
    EXPECT_EQ(Contents("res"), Old);
}

// A save killed at any moment leaves the old file or the new one whole, and the next save leaves
// "res" alone in the folder.
TEST_F(InAFolder, ASaveKilledAtAnyMomentLeavesTheOldFileOrTheNew) {
    Write("res", Old);
    for (int moment = 0; moment < 100; ++moment) {
        const pid_t saver = ::fork();
        while (saver == 0)  // the child saves until it is killed
            Save("res", New), Save("res", Old);
        ASSERT_GT(saver, 0);
        ::usleep(40 * moment);  // only to kill it at another step each time
        ::kill(saver, SIGKILL), ::waitpid(saver, nullptr, 0);
        const std::string left = Contents("res");
        ASSERT_TRUE(left == Old || left == New) << "killed after " << 40 * moment << " us";
    }
    EXPECT_EQ(Save("res", New), "");
    EXPECT_EQ(Entries("."), Names{"res"});
}

// Copies of the game that end their games at once, each with a better score than the file held
// when it began, leave the best of them, and the other record as it was.
TEST_F(InAFolder, CopiesSavingAtOnceNeverLowerARecord) {
    const std::string centre = Old.substr(RecordSize);
    Write("res", std::string(RecordSize, '\0') + centre);
    EXPECT_TRUE(InChildren(8, [](int copy) {
        test::FakeHost host;
        Game game({host, host, files});
        game.ArrangeForTest().score = 100 * (copy + 1);
        game.SaveHighScore();
        return host.warnings.empty();
    }));
    const std::string after = Contents("res");
    EXPECT_EQ(ReadRecord(std::vector<unsigned char>(after.begin(), after.end()), ClassicRecord),
              800.0f);
    EXPECT_EQ(after.substr(RecordSize), centre);
}

}  // namespace
}  // namespace dyeland
