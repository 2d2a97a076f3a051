// A save killed at any moment leaves the high-score file either as it was or as it was meant
// to be, never torn and never gone.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include "WorkingDirFiles.h"

namespace dyeland {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;

Bytes Filled(unsigned char first) {
    Bytes bytes(20);
    for (std::size_t i = 0; i < bytes.size(); ++i)
        bytes[i] = static_cast<unsigned char>(first + i);
    return bytes;
}

Bytes FileBytes(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// DYELAND_CRASH_SEED repeats a failed run's kill times.
unsigned Seed() {
    if (const char* given = std::getenv("DYELAND_CRASH_SEED")) {
        return static_cast<unsigned>(std::strtoul(given, nullptr, 10));
    }
    return std::random_device{}();
}

// Works inside the folder for the life of the object and then goes back.
class InFolder {
public:
    explicit InFolder(const fs::path& folder) : previous_(fs::current_path()) {
        fs::current_path(folder);
    }
    InFolder(const InFolder&) = delete;
    InFolder& operator=(const InFolder&) = delete;
    ~InFolder() { fs::current_path(previous_); }

private:
    fs::path previous_;
};

// A child saves two contents in turn until it is killed at a random moment; whatever moment
// it was, the file must hold one of the two whole.
TEST(ScoreFileCrash, AKilledSaveLeavesTheOldOrTheNewFile) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    InFolder inside(dir.path().toStdString());

    const Bytes first = Filled(0x10), second = Filled(0xA0);
    ASSERT_EQ(WorkingDirFiles::Replace("res", first), "");

    const unsigned seed = Seed();
    std::cout << "kill times from seed " << seed << " (set DYELAND_CRASH_SEED to repeat)\n";
    std::mt19937 random(seed);
    std::uniform_int_distribution<int> delayMicroseconds(0, 3000);

    constexpr int Kills = 200;
    int sawFirst = 0, sawSecond = 0;
    for (int kill = 0; kill < Kills; ++kill) {
        int ready[2];
        ASSERT_EQ(::pipe(ready), 0);
        pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            ::close(ready[0]);
            // Tell the parent the saves begin, so the kill lands among them and not in fork.
            char go = 1;
            if (::write(ready[1], &go, 1) != 1) ::_exit(1);
            for (bool even = true;; even = !even) {
                WorkingDirFiles::Replace("res", even ? second : first);
            }
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

        Bytes now = FileBytes("res");
        ASSERT_TRUE(now == first || now == second) << "torn or missing after kill " << kill << " ("
                                                   << now.size() << " bytes), seed " << seed;
        (now == first ? sawFirst : sawSecond)++;
    }
    std::cout << "after the kills: " << sawFirst << " times the first content, " << sawSecond
              << " times the second\n";
}

}  // namespace
}  // namespace dyeland
