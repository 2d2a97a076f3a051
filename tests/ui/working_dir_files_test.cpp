// The real file access of the high-score file, in throwaway folders: whatever sits under the
// name "res", the game gets bytes or a reason, never a hang, a crash or a stray file.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <set>
#include <string>
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

Bytes Sequence(std::size_t n) {
    Bytes bytes(n);
    for (std::size_t i = 0; i < n; ++i)
        bytes[i] = static_cast<unsigned char>(i + 1);
    return bytes;
}

void WriteFile(const fs::path& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

Bytes FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::set<std::string> Entries(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// Each test runs inside its own empty folder, as the game runs in its working directory.
class WorkingDirFilesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        previous_ = fs::current_path();
        folder_ = fs::path(dir_.path().toStdString());
        fs::current_path(folder_);
    }
    void TearDown() override { fs::current_path(previous_); }

    QTemporaryDir dir_;
    fs::path previous_;
    fs::path folder_;
};

TEST_F(WorkingDirFilesTest, AMissingFileIsCreatedEmpty) {
    FileContents read = WorkingDirFiles::Read("res", 20);
    EXPECT_EQ(read.error, "");
    EXPECT_TRUE(read.bytes.empty());
    EXPECT_TRUE(fs::is_regular_file(folder_ / "res"));
    EXPECT_EQ(fs::file_size(folder_ / "res"), 0u);
}

TEST_F(WorkingDirFilesTest, AShortFileReadsWhatIsThereAndALongOneOnlyItsStart) {
    WriteFile("res", Sequence(7));
    FileContents shortRead = WorkingDirFiles::Read("res", 20);
    EXPECT_EQ(shortRead.error, "");
    EXPECT_EQ(shortRead.bytes, Sequence(7));

    WriteFile("res", Sequence(5000));
    FileContents longRead = WorkingDirFiles::Read("res", 20);
    EXPECT_EQ(longRead.error, "");
    EXPECT_EQ(longRead.bytes, Sequence(20));
}

TEST_F(WorkingDirFilesTest, AFolderNamedResFailsEveryAccessWithAReason) {
    fs::create_directory("res");
    FileContents read = WorkingDirFiles::Read("res", 20);
    EXPECT_NE(read.error, "");
    EXPECT_TRUE(read.bytes.empty());
    EXPECT_NE(WorkingDirFiles::Replace("res", Sequence(20)), "");
    EXPECT_NE(WorkingDirFiles::Remove("res"), "");
    EXPECT_TRUE(fs::is_directory("res"));
    EXPECT_EQ(Entries(folder_), std::set<std::string>{"res"});
}

// Opening a FIFO for reading waits for a writer that never comes: the game would freeze.
TEST_F(WorkingDirFilesTest, AFifoOrADeviceIsRefusedWithoutBeingRead) {
    ASSERT_EQ(::mkfifo("res", 0666), 0);
    // A hang here should fail the run rather than stall it.
    ::alarm(10);
    FileContents fifo = WorkingDirFiles::Read("res", 20);
    ::alarm(0);
    EXPECT_NE(fifo.error, "");
    EXPECT_TRUE(fifo.bytes.empty());
    EXPECT_EQ(WorkingDirFiles::Remove("res"), "");

    // /dev/zero would read as a full file of zero records.
    fs::create_symlink("/dev/zero", "res");
    FileContents device = WorkingDirFiles::Read("res", 20);
    EXPECT_NE(device.error, "");
    EXPECT_TRUE(device.bytes.empty());
}

TEST_F(WorkingDirFilesTest, ReplaceLeavesExactlyTheNewBytesAndNoOtherFile) {
    EXPECT_EQ(WorkingDirFiles::Replace("res", Sequence(20)), "");
    EXPECT_EQ(FileBytes("res"), Sequence(20));
    EXPECT_EQ(WorkingDirFiles::Replace("res", Sequence(10)), "");
    EXPECT_EQ(FileBytes("res"), Sequence(10));
    EXPECT_EQ(WorkingDirFiles::Read("res", 20).bytes, Sequence(10));
    EXPECT_EQ(Entries(folder_), std::set<std::string>{"res"});
}

TEST_F(WorkingDirFilesTest, RemovingAMissingFileIsNoError) {
    WriteFile("res", Sequence(20));
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
        } else if (::geteuid() == 0) {
            result = "skip: still root";
        } else {
            result = check();
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

// A folder the player may not write to: reads of what is there work, every change fails
// with a reason and leaves the folder as it was.
TEST_F(WorkingDirFilesTest, AReadOnlyFolderFailsCleanly) {
    fs::permissions(folder_, fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                 fs::perms::others_read | fs::perms::others_exec);
    const fs::path empty = folder_ / "empty";
    const fs::path filled = folder_ / "filled";
    fs::create_directory(empty);
    fs::create_directory(filled);
    WriteFile(filled / "res", Sequence(20));
    // Writable by anyone, so only the folder stands in the way of a write in place.
    fs::permissions(filled / "res", fs::perms::all & ~fs::perms::owner_exec &
                                        ~fs::perms::group_exec & ~fs::perms::others_exec);
    const auto readOnly = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                          fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;
    fs::permissions(empty, readOnly);
    fs::permissions(filled, readOnly);

    std::string failures = AsNobody([&] {
        std::string f;
        auto expect = [&f](bool ok, const char* what) {
            if (!ok) f += std::string(what) + "\n";
        };
        if (::chdir(empty.c_str()) != 0) return std::string("skip: nobody cannot reach the folder");
        FileContents missing = WorkingDirFiles::Read("res", 20);
        expect(!missing.error.empty() && missing.bytes.empty(), "creating res did not fail");
        expect(!WorkingDirFiles::Replace("res", Sequence(20)).empty(), "replace into empty worked");
        expect(WorkingDirFiles::Remove("res").empty(), "removing a missing res failed");

        if (::chdir(filled.c_str()) != 0)
            return std::string("skip: nobody cannot reach the folder");
        FileContents there = WorkingDirFiles::Read("res", 20);
        expect(there.error.empty() && there.bytes == Sequence(20), "reading res failed");
        expect(!WorkingDirFiles::Replace("res", Sequence(10)).empty(), "replace worked");
        expect(!WorkingDirFiles::Remove("res").empty(), "remove worked");
        return f;
    });
    fs::permissions(empty, fs::perms::owner_all);
    fs::permissions(filled, fs::perms::owner_all);
    if (failures.rfind("skip:", 0) == 0) GTEST_SKIP() << failures;
    EXPECT_EQ(failures, "");
    EXPECT_EQ(Entries(empty), std::set<std::string>{});
    EXPECT_EQ(Entries(filled), std::set<std::string>{"res"});
    EXPECT_EQ(FileBytes(filled / "res"), Sequence(20));
}

}  // namespace
}  // namespace dyeland
