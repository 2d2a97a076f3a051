// The real file access of the high-score file, in throwaway folders: whatever sits under the
// name "res", the game gets bytes or a reason, never a hang, a crash, a torn or a stray file.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include <grp.h>
#include <sys/stat.h>
#include <sys/types.h>
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

// A missing file is created empty; a read gives what is there, up to the limit.
TEST_F(WorkingDirFilesTest, AReadGivesTheFilesStartAndCreatesAMissingFile) {
    for (auto [size, expected] : {std::pair{-1, 0}, {7, 7}, {5000, 20}}) {
        if (size >= 0) WriteFile("res", Sequence(static_cast<std::size_t>(size)));
        FileContents read = WorkingDirFiles::Read("res", 20);
        EXPECT_EQ(read.error, "") << size;
        EXPECT_EQ(read.bytes, Sequence(static_cast<std::size_t>(expected))) << size;
        EXPECT_EQ(fs::file_size(folder_ / "res"), static_cast<std::uintmax_t>(std::max(size, 0)));
    }
}

// Whatever else sits under the name is never read: a FIFO (opening one for reading waits for a
// writer that never comes, and the game would freeze), a device (/dev/zero would read as a
// full file of zero records) or a folder, which no change may touch either.
TEST_F(WorkingDirFilesTest, AnythingButAFileFailsWithAReason) {
    ASSERT_EQ(::mkfifo("fifo", 0666), 0);
    fs::create_symlink("/dev/zero", "device");
    fs::create_directory("res");
    for (const char* name : {"fifo", "device", "res"}) {
        ::alarm(10);  // a hang here should fail the run rather than stall it
        FileContents read = WorkingDirFiles::Read(name, 20);
        ::alarm(0);
        EXPECT_NE(read.error, "") << name;
        EXPECT_TRUE(read.bytes.empty()) << name;
    }
    EXPECT_NE(WorkingDirFiles::Replace("res", Sequence(20)), "");
    EXPECT_NE(WorkingDirFiles::Remove("res"), "");
    EXPECT_TRUE(fs::is_directory("res"));
    EXPECT_EQ(Entries(folder_), (Names{"device", "fifo", "res"}));
}

// A replace leaves exactly the new bytes and no other file; removing a file that is not there
// is no error.
TEST_F(WorkingDirFilesTest, ReplaceAndRemoveLeaveNoOtherFile) {
    EXPECT_EQ(WorkingDirFiles::Replace("res", Sequence(20)), "");
    EXPECT_EQ(FileBytes("res"), Sequence(20));
    EXPECT_EQ(WorkingDirFiles::Replace("res", Sequence(10)), "");
    EXPECT_EQ(FileBytes("res"), Sequence(10));
    EXPECT_EQ(Entries(folder_), Names{"res"});
    EXPECT_EQ(WorkingDirFiles::Remove("res"), "");
    EXPECT_FALSE(fs::exists("res"));
    EXPECT_EQ(WorkingDirFiles::Remove("res"), "");
}

// Runs check in a child process as the user nobody, since root ignores file permissions.
// Returns the child's list of failures, or "skip: ..." when no such child can be made.
std::string AsNobody(const std::function<std::string()>& check) {
    int pipeEnds[2];
    if (::pipe(pipeEnds) != 0) return "skip: no pipe";
    pid_t child = ::fork();
    if (child < 0) return "skip: no fork";
    if (child == 0) {
        ::close(pipeEnds[0]);
        std::string result;
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(65534) != 0 || ::setuid(65534) != 0)) {
            result = "skip: cannot become nobody";
        } else {
            result = ::geteuid() == 0 ? "skip: still root" : check();
        }
        ssize_t written = ::write(pipeEnds[1], result.data(), result.size());
        ::_exit(written == static_cast<ssize_t>(result.size()) ? 0 : 1);
    }
    ::close(pipeEnds[1]);
    std::string result;
    char buffer[512];
    ssize_t n;
    while ((n = ::read(pipeEnds[0], buffer, sizeof buffer)) > 0)
        result.append(buffer, static_cast<std::size_t>(n));
    ::close(pipeEnds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) result += "child died\n";
    return result;
}

// A folder the player may not write to: a read of what is there works, every change fails
// with a reason and leaves the folder as it was.
TEST_F(WorkingDirFilesTest, AReadOnlyFolderFailsCleanly) {
    using fs::perms;
    const fs::path locked = folder_ / "locked";
    fs::create_directory(locked);
    WriteFile(locked / "res", Sequence(20));
    // Writable by anyone, so only the folder stands in the way of a write in place.
    fs::permissions(locked / "res",
                    perms::all & ~perms::owner_exec & ~perms::group_exec & ~perms::others_exec);
    fs::permissions(locked, perms::owner_read | perms::owner_exec | perms::group_read |
                                perms::group_exec | perms::others_read | perms::others_exec);
    fs::permissions(folder_, perms::others_exec, fs::perm_options::add);

    std::string failures = AsNobody([&] {
        if (::chdir(locked.c_str()) != 0)
            return std::string("skip: nobody cannot reach the folder");
        std::string f;
        auto expect = [&f](bool ok, const char* what) {
            if (!ok) f += std::string(what) + "\n";
        };
        FileContents missing = WorkingDirFiles::Read("missing", 20);
        expect(!missing.error.empty() && missing.bytes.empty(), "creating a file did not fail");
        expect(!WorkingDirFiles::Replace("missing", Sequence(20)).empty(), "a new file was made");
        expect(WorkingDirFiles::Remove("missing").empty(), "removing a missing file failed");
        FileContents there = WorkingDirFiles::Read("res", 20);
        expect(there.error.empty() && there.bytes == Sequence(20), "reading res failed");
        expect(!WorkingDirFiles::Replace("res", Sequence(10)).empty(), "replace worked");
        expect(!WorkingDirFiles::Remove("res").empty(), "remove worked");
        return f;
    });
    fs::permissions(locked, perms::owner_all);
    if (failures.rfind("skip:", 0) == 0) GTEST_SKIP() << failures;
    EXPECT_EQ(failures, "");
    EXPECT_EQ(Entries(locked), Names{"res"});
    EXPECT_EQ(FileBytes(locked / "res"), Sequence(20));
}

// A child saves two contents in turn until it is killed at a random moment; whatever moment
// it was, the file must hold one of the two whole. DYELAND_CRASH_SEED repeats a run's kill
// times.
TEST_F(WorkingDirFilesTest, AKilledSaveLeavesTheOldOrTheNewFile) {
    const Bytes first = Sequence(20, 0x10), second = Sequence(20, 0xA0);
    ASSERT_EQ(WorkingDirFiles::Replace("res", first), "");
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
                WorkingDirFiles::Replace("res", even ? second : first);
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
}

}  // namespace
}  // namespace dyeland
