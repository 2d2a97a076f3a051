// The real file access of the high-score file, in throwaway folders: whatever sits under the
// name "res", the game gets bytes or a reason, never a hang, a torn or a stray file, and it
// never writes a file that is not a high-score file.
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

#include "files/WorkingDirFiles.h"

namespace dyeland {
namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

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
    return WorkingDirFiles::Update(
        name, 20, [&](auto) { return std::vector<unsigned char>(text.begin(), text.end()); });
}

// Runs check in a forked child and tells whether it returned true there.
bool InChild(const std::function<bool()>& check) {
    pid_t child = ::fork();
    if (child == 0) ::_exit(check() ? 0 : 1);
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
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
        FileContents read = WorkingDirFiles::Read(c.name, 20);
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
// refuse, it refuses too, and a plain file is deleted.
TEST_F(InASharedFolder, NewScoreClearsOnlyWhatASaveCouldWrite) {
    const struct {
        const char* name;
        bool clears;
        const char* file;
        std::string after;  // the file's bytes afterwards, or "gone"
    } cases[] = {
        {"link", true, "real/scores", ""},           {"foreign", false, "profile", Profile},
        {"planted", false, "real/mine", Old},        {"protected", false, "protected", Old},
        {"dangling", false, "real/nothing", "gone"}, {"profile", true, "profile", "gone"},
        {"nothing", true, "nothing", "gone"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (c.name == std::string_view("planted") && !planted) continue;
        EXPECT_EQ(WorkingDirFiles::Remove(c.name, 20).empty(), c.clears);
        EXPECT_EQ(fs::exists(c.file) ? Contents(c.file) : "gone", c.after);
    }
    EXPECT_TRUE(fs::is_symlink("link") && fs::is_symlink("planted") && fs::is_symlink("dangling"));
    EXPECT_EQ(Entries("real"), (Names{"mine", "scores"}));
}

// A write that stops part-way (at a file size limit here; a full disk fails the same way): the
// save fails with the system's reason, and every byte of the old file stays.
TEST_F(InAFolder, AFailedSaveKeepsTheOldFileAndSaysWhy) {
    Write("res", Old);
    EXPECT_TRUE(InChild([] {
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
    EXPECT_TRUE(InChild([] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) return false;
        return WorkingDirFiles::Read("res", 20).error == "Permission denied" &&
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
    EXPECT_TRUE(InChild([] {  // a lock of its own, as another process would take it
        return Save("res", New) ==
               "another copy of the game was saving its score in the same folder";
    }));
    ::close(folder);
    EXPECT_EQ(Contents("res"), Old);
}

}  // namespace
}  // namespace dyeland
