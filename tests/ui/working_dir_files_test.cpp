// The real file access of the high-score file, in throwaway folders: whatever sits under the
// name "res", the game gets bytes or a reason, never a hang, a crash, a torn or a stray file,
// and never touches a file that is not a high-score file.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "WorkingDirFiles.h"

namespace dyeland {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;
using Names = std::set<std::string>;

Bytes Sequence(std::size_t n, unsigned char first = 1) {
    Bytes bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<unsigned char>(first + i);
    return bytes;
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

Bytes FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

Names Entries(const fs::path& folder) {
    Names names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

std::string Save(const char* name, const Bytes& bytes) {
    return WorkingDirFiles::Update(name, 20, [&](auto) { return bytes; });
}

// Runs check in a forked child and tells whether it returned true there.
bool InChild(const std::function<bool()>& check) {
    pid_t child = ::fork();
    if (child == 0) ::_exit(check() ? 0 : 1);
    int status = 0;
    return child > 0 && ::waitpid(child, &status, 0) == child && WIFEXITED(status) &&
           WEXITSTATUS(status) == 0;
}

// Each test runs inside its own empty folder, as the game runs in its working directory.
class WorkingDirFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        folder_ = fs::path(dir_.path().toStdString());
        fs::current_path(folder_);
    }
    void TearDown() override { fs::current_path(previous_); }

    QTemporaryDir dir_;
    const fs::path previous_ = fs::current_path();
    fs::path folder_;
};

// A missing file is created empty; a read gives what is there, up to the limit; a save
// replaces it and leaves no other file; removing a missing file is no error.
TEST_F(WorkingDirFilesTest, ReadSaveAndRemoveInAPlainFolder) {
    for (auto [size, expected] : {std::pair{-1, 0}, {7, 7}, {5000, 20}}) {
        if (size >= 0) WriteFile("res", Sequence(static_cast<std::size_t>(size)));
        FileContents read = WorkingDirFiles::Read("res", 20);
        EXPECT_EQ(read.error, "") << size;
        EXPECT_EQ(read.bytes, Sequence(static_cast<std::size_t>(expected))) << size;
        EXPECT_EQ(fs::file_size(folder_ / "res"), static_cast<std::uintmax_t>(std::max(size, 0)));
    }
    fs::remove("res");
    EXPECT_EQ(Save("res", Sequence(20)), "");
    EXPECT_EQ(Save("res", Sequence(10)), "");
    EXPECT_EQ(FileBytes("res"), Sequence(10));
    EXPECT_EQ(WorkingDirFiles::Update("res", 20, [](auto) { return std::nullopt; }), "");
    EXPECT_EQ(Entries(folder_), Names{"res"});
    EXPECT_EQ(WorkingDirFiles::Remove("res"), "");
    EXPECT_EQ(WorkingDirFiles::Remove("res"), "");
    EXPECT_FALSE(fs::exists("res"));
}

// Whatever is not a high-score file is never written, and never read if reading could hang or
// lie: a FIFO, a device, a folder, an oversized file, a link to a foreign file or to nothing.
// A link to a real record file is saved through, and stays a link.
TEST_F(WorkingDirFilesTest, NothingButAHighScoreFileIsEverWritten) {
    fs::create_directories("real");
    WriteFile("real/scores", Sequence(20));
    WriteFile("profile", Sequence(30, 'a'));
    WriteFile("big", Sequence(1000));
    ASSERT_EQ(::mkfifo("fifo", 0666), 0);
    fs::create_symlink("/dev/zero", "device");
    fs::create_directory("folder");
    fs::create_symlink("real/scores", "link");
    fs::create_symlink("profile", "foreign");
    fs::create_symlink("real/nothing", "dangling");
    const Names before = Entries(folder_);
    struct Case {
        const char* name;
        bool readWorks, saveWorks;
    } cases[] = {{"fifo", false, false}, {"device", false, false}, {"folder", false, false},
                 {"big", true, false},   {"foreign", true, false}, {"dangling", false, false},
                 {"link", true, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ::alarm(10);  // a hang here should fail the run rather than stall it
        FileContents read = WorkingDirFiles::Read(c.name, 20);
        ::alarm(0);
        EXPECT_EQ(read.error.empty(), c.readWorks) << read.error;
        const Bytes old = c.readWorks ? FileBytes(c.name) : Bytes{};
        std::string saved = Save(c.name, Sequence(20, 0xA0));
        EXPECT_EQ(saved.empty(), c.saveWorks) << saved;
        if (c.readWorks) {
            EXPECT_EQ(FileBytes(c.name), c.saveWorks ? Sequence(20, 0xA0) : old);
        }
    }
    EXPECT_NE(WorkingDirFiles::Remove("folder"), "");
    EXPECT_TRUE(fs::is_symlink("link"));
    EXPECT_EQ(Entries(folder_), before);
    EXPECT_EQ(Entries("real"), Names{"scores"});
}

// The folder's name is bytes, not text: one that is not valid UTF-8 saves like any other.
TEST_F(WorkingDirFilesTest, AFolderNamedInLatin1Saves) {
    fs::create_directory("caf\xe9");
    fs::current_path("caf\xe9");
    EXPECT_EQ(Save("res", Sequence(20)), "");
    EXPECT_EQ(WorkingDirFiles::Read("res", 20).bytes, Sequence(20));
}

// A write that stops part-way (here at a file size limit; a full disk fails the same way) and a
// folder the player may not write to: the save fails with the system's reason and every byte
// of the old file stays.
TEST_F(WorkingDirFilesTest, AFailedSaveKeepsTheOldFileAndSaysWhy) {
    fs::create_directory("locked");
    for (const char* name : {"res", "locked/res"})
        WriteFile(name, Sequence(20));
    fs::permissions(folder_, fs::perms::all);
    fs::permissions("locked",
                    fs::perms::owner_all | fs::perms::others_read | fs::perms::others_exec);
    EXPECT_TRUE(InChild([] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit{12, 12};
        return ::setrlimit(RLIMIT_FSIZE, &limit) == 0 &&
               Save("res", Sequence(20, 9)) == "File too large";
    }));
    // As the user nobody, since root may write anywhere.
    EXPECT_TRUE(InChild([] {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0))
            return false;
        return ::chdir("locked") == 0 && Save("res", Sequence(10)) == "Permission denied" &&
               WorkingDirFiles::Remove("res") == "Permission denied" &&
               !WorkingDirFiles::Read("missing", 20).error.empty();
    }));
    EXPECT_EQ(FileBytes("res"), Sequence(20));
    EXPECT_EQ(FileBytes("locked/res"), Sequence(20));
    EXPECT_EQ(Entries(folder_), (Names{"locked", "res"}));
    EXPECT_EQ(Entries("locked"), Names{"res"});
}

// Two copies of the game saving into one folder, each only when it beats what is stored, and
// each slow between its re-read and its rename: the stored record only ever rises.
TEST_F(WorkingDirFilesTest, TwoCopiesNeverLowerEachOthersRecord) {
    ASSERT_EQ(Save("res", Bytes(20, 0)), "");
    auto copy = [](unsigned char first) {
        return [first] {
            bool rising = true;
            unsigned char mine = 0;
            for (unsigned char value = first; value < 200; value += 2) {
                rising &=
                    WorkingDirFiles::Update("res", 20, [&](auto current) -> std::optional<Bytes> {
                        rising &= current[0] >= mine;
                        std::this_thread::sleep_for(std::chrono::microseconds(300));
                        if (value <= current[0]) return std::nullopt;
                        return Bytes(20, mine = value);
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
    EXPECT_EQ(FileBytes("res"), Bytes(20, 199));
    EXPECT_EQ(Entries(folder_), Names{"res"});
}

// A child saves two contents in turn until it is killed at a random moment; whatever moment
// it was, the file holds one of the two whole, and the next save leaves no stray file.
// DYELAND_CRASH_SEED repeats a run's kill times.
TEST_F(WorkingDirFilesTest, AKilledSaveLeavesTheOldOrTheNewFile) {
    const Bytes first = Sequence(20, 0x10), second = Sequence(20, 0xA0);
    ASSERT_EQ(Save("res", first), "");
    const char* given = std::getenv("DYELAND_CRASH_SEED");
    const unsigned seed =
        given ? static_cast<unsigned>(std::strtoul(given, nullptr, 10)) : std::random_device{}();
    std::cout << "kill times from seed " << seed << " (set DYELAND_CRASH_SEED to repeat)\n";
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMicroseconds(0, 3000);

    for (int kill = 0; kill < 200; ++kill) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Tell the parent the saves begin, so the kill lands among them and not in fork.
            char go = 1;
            if (::write(ready[1], &go, 1) != 1) ::_exit(1);
            for (bool even = true;; even = !even)
                Save("res", even ? second : first);
        }
        ::close(ready[1]);
        char go = 0;
        ASSERT_EQ(::read(ready[0], &go, 1), 1);
        ::close(ready[0]);
        std::this_thread::sleep_for(std::chrono::microseconds(delayMicroseconds(random)));
        ::kill(child, SIGKILL);
        int status = 0;
        ::waitpid(child, &status, 0);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the saving child stopped by itself";

        const Bytes now = FileBytes("res");
        ASSERT_TRUE(now == first || now == second) << "torn or missing after kill " << kill << " ("
                                                   << now.size() << " bytes), seed " << seed;
    }
    EXPECT_EQ(Save("res", first), "");
    EXPECT_EQ(Entries(folder_), Names{"res"});
}

}  // namespace
}  // namespace dyeland
