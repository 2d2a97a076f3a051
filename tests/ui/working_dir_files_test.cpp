// The real file access of the high-score file, in throwaway folders: whatever sits under the
// name "res", the game gets bytes or a reason, never a hang, a torn or a stray file, and it
// never writes a file that is not a high-score file.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <set>
#include <string>
#include <thread>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "WorkingDirFiles.h"

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
struct InAFolder : ::testing::Test {
    QTemporaryDir dir;
    InAFolder() { fs::current_path(dir.path().toStdString()); }
};

const std::string Old(20, 'o'), New(20, 'n');

// Whatever is not a high-score file is never written, and never read if reading could hang or
// lie: a FIFO, a device, a folder, a file longer than the format, a link to a foreign file or
// to nothing. A read creates a missing file empty; a link to a record file is saved through and
// stays a link, in a folder whose name is not valid UTF-8. Removing nothing is no error.
TEST_F(InAFolder, NothingButAHighScoreFileIsEverWritten) {
    fs::create_directories("caf\xe9/real");
    fs::current_path("caf\xe9");
    Write("real/scores", Old);
    Write("profile", std::string(30, 'p'));
    ASSERT_EQ(::mkfifo("fifo", 0666), 0);
    fs::create_directory("folder");
    for (auto [link, target] : {std::pair{"device", "/dev/zero"},
                                {"link", "real/scores"},
                                {"foreign", "profile"},
                                {"dangling", "real/nothing"}})
        fs::create_symlink(target, link);
    Names before = Entries(".");
    const struct {
        const char* name;
        bool readWorks, saveWorks;
    } cases[] = {{"fifo", false, false},   {"device", false, false}, {"folder", false, false},
                 {"profile", true, false}, {"foreign", true, false}, {"dangling", false, false},
                 {"link", true, true},     {"missing", true, true}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
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
    EXPECT_EQ(WorkingDirFiles::Remove("nothing"), "");
    EXPECT_TRUE(fs::is_symlink("link"));
    before.insert("missing");
    EXPECT_EQ(Entries("."), before);
    EXPECT_EQ(Entries("real"), Names{"scores"});
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

// Two copies of the game saving into one folder, each only a record above the stored one, and
// each slow between its re-read and its rename: the stored record only ever rises.
TEST_F(InAFolder, TwoCopiesNeverLowerEachOthersRecord) {
    auto copy = [](unsigned char first) {
        return [first] {
            bool rising = true;
            for (unsigned char value = first, mine = 0; value < 100; value += 2) {
                rising &= WorkingDirFiles::Update("res", 20, [&](auto now) {
                              rising &= now.empty() || now[0] >= mine;
                              std::this_thread::sleep_for(std::chrono::microseconds(300));
                              using Bytes = std::vector<unsigned char>;
                              return now.empty() || value > now[0]
                                         ? std::optional(Bytes(20, mine = value))
                                         : std::nullopt;
                          }) == "";
                std::this_thread::sleep_for(std::chrono::milliseconds(3));  // a game between
            }
            return rising;
        };
    };
    bool other = false;
    std::thread second([&] { other = InChild(copy(2)); });
    EXPECT_TRUE(InChild(copy(1)));
    second.join();
    EXPECT_TRUE(other);
    EXPECT_EQ(Contents("res"), std::string(20, 99));
}

// A save killed at any of 200 moments leaves the old or the new file whole, and the next save
// leaves no stray file. The kill times come from a fixed seed, so a failure repeats.
TEST_F(InAFolder, AKilledSaveLeavesTheOldOrTheNewFile) {
    ASSERT_EQ(Save("res", Old), "");
    std::minstd_rand random;
    for (int kill = 0; kill < 200; ++kill) {
        const pid_t child = ::fork();
        for (bool odd = true; child == 0; odd = !odd)
            Save("res", odd ? New : Old);
        std::this_thread::sleep_for(std::chrono::microseconds(500 + random() % 3000));
        ::kill(child, SIGKILL);
        ::waitpid(child, nullptr, 0);
        const std::string now = Contents("res");
        ASSERT_TRUE(now == Old || now == New) << "after kill " << kill;
    }
    EXPECT_EQ(Save("res", Old), "");
    EXPECT_EQ(Entries("."), Names{"res"});
}

}  // namespace
}  // namespace dyeland
