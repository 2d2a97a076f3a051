// Files in the working directory for the high-score file. Everything goes through descriptors
// and byte names, so no folder name is ever converted, and every system call is checked: a save
// that cannot be finished leaves the old file exactly as it was and says why.
#include "files/WorkingDirFiles.h"

#include <cerrno>
#include <chrono>
#include <climits>
#include <string>
#include <system_error>
#include <thread>
#include <utility>
#include <vector>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dyeland {

namespace {

// A link can point at another; a loop of them must end somewhere.
constexpr int MaxLinks = 8;
// How long a save waits for another copy of the game saving in the same folder.
constexpr auto LockPatience = std::chrono::seconds(1);
constexpr auto LockRetry = std::chrono::milliseconds(2);
// The new content is written under this name beside the file, then renamed over it. A save
// that was killed leaves it behind, and the next save starts by removing it.
constexpr std::string_view TemporarySuffix = ".saving";

const std::string DanglingLink = "it is a link to a file that does not exist";
const std::string PlantedLink =
    "it is a link that another user made in a folder others can write to, so it was not followed";

std::string Reason(int error) {
    return std::system_category().message(error);
}

std::string NotRegular(const struct stat& info) {
    return S_ISDIR(info.st_mode) ? Reason(EISDIR) : std::string("Not a regular file");
}

// Closes the descriptor on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd = -1) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor& operator=(Descriptor&& other) noexcept {
        std::swap(fd_, other.fd_);
        return *this;
    }
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// Reads at most maxBytes from the start of an open file; "" or the reason.
std::string ReadStart(int fd, std::size_t maxBytes, std::vector<unsigned char>& bytes) {
    bytes.resize(maxBytes);
    std::size_t filled = 0;
    while (filled < maxBytes) {
        ssize_t n = ::read(fd, bytes.data() + filled, maxBytes - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return Reason(errno);
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
    }
    bytes.resize(filled);
    return {};
}

// The file a name in the working directory finally stands for: the folder it lies in, open,
// and its name there. A link is followed only to a regular file or to nothing in its own
// folder, so a save replaces the file the link names and never creates one where a dangling
// link points.
struct Target {
    Descriptor folder;
    std::string name;
    bool linked = false;  // reached through at least one link
};

// The kernel's rule for links in sticky shared folders, applied to the links followed here by
// hand and to every folder others can write to, sticky or not: there a link is trusted only when
// the player or the folder's owner made it. Otherwise anyone sharing /tmp could point the
// player's "res" at the player's files.
bool Planted(int folder, const struct stat& link) {
    struct stat info {};
    if (::fstat(folder, &info) != 0) return true;
    const bool shared = (info.st_mode & (S_IWGRP | S_IWOTH)) != 0;
    return shared && link.st_uid != ::geteuid() && link.st_uid != info.st_uid;
}

// access is O_RDONLY where the folder is to be locked and synced, else O_PATH, which needs no
// right to list the folder.
std::string Resolve(std::string_view name, Target& target, int access) {
    target.folder = Descriptor(::open(".", access | O_DIRECTORY | O_CLOEXEC));
    if (target.folder.get() < 0) return Reason(errno);
    target.name = std::string(name);
    for (int links = 0;; ++links) {
        struct stat info {};
        if (::fstatat(target.folder.get(), target.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT) return Reason(errno);
            return links == 0 ? std::string() : DanglingLink;
        }
        if (!S_ISLNK(info.st_mode)) return S_ISREG(info.st_mode) ? std::string() : NotRegular(info);
        target.linked = true;
        if (links == MaxLinks) return Reason(ELOOP);
        if (Planted(target.folder.get(), info)) return PlantedLink;

        std::string link(PATH_MAX, '\0');
        ssize_t n =
            ::readlinkat(target.folder.get(), target.name.c_str(), link.data(), link.size());
        if (n < 0) return Reason(errno);
        link.resize(static_cast<std::size_t>(n));
        if (auto slash = link.rfind('/'); slash != std::string::npos) {
            const std::string folder = slash == 0 ? "/" : link.substr(0, slash);
            Descriptor next(
                ::openat(target.folder.get(), folder.c_str(), access | O_DIRECTORY | O_CLOEXEC));
            if (next.get() < 0) return errno == ENOENT ? DanglingLink : Reason(errno);
            target.folder = std::move(next);
            link.erase(0, slash + 1);
        }
        target.name = std::move(link);
    }
}

// A file the player write-protected keeps every byte: a player who takes away the write bits
// means it. They count even for root, who could open it all the same.
std::string MayReplace(const Target& target, const struct stat& info) {
    if ((info.st_mode & 0222) == 0) return Reason(EACCES);
    if (::faccessat(target.folder.get(), target.name.c_str(), W_OK,
                    AT_EACCESS | AT_SYMLINK_NOFOLLOW) != 0)
        return Reason(errno);
    return {};
}

// A save and New score alike leave alone whatever is not a high-score file the player may
// replace. Nothing in the format makes a longer file ours: it may be anyone's.
std::string MayReplaceScores(const Target& target, const struct stat& info, std::size_t maxBytes) {
    if (!S_ISREG(info.st_mode)) return NotRegular(info);
    if (static_cast<std::size_t>(info.st_size) > maxBytes)
        return "it is longer than a high-score file, so it was left as it is";
    return MayReplace(target, info);
}

// Two copies of the game saving in one folder take turns from the re-read to the rename. The
// lock is on the folder itself: a rename leaves it in place, and it needs no file of its own.
// Where the file system has no such locks nobody can hold one, so the save goes on without.
std::string LockFolder(int folder) {
    const auto giveUp = std::chrono::steady_clock::now() + LockPatience;
    while (::flock(folder, LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR) return {};
        if (std::chrono::steady_clock::now() >= giveUp)
            return "another copy of the game was saving its score in the same folder";
        std::this_thread::sleep_for(LockRetry);
    }
    return {};
}

// Writes bytes under a temporary name beside the target, syncs it and renames it over the
// target. Any failure before the rename removes the temporary file and leaves the target as
// it was.
std::string ReplaceWhole(const Target& target, const struct stat* old,
                         const std::vector<unsigned char>& bytes) {
    const int folder = target.folder.get();
    const std::string temporary = target.name + std::string(TemporarySuffix);
    if (::unlinkat(folder, temporary.c_str(), 0) != 0 && errno != ENOENT) return Reason(errno);
    // O_EXCL also refuses a link planted under the temporary name.
    Descriptor out(::openat(folder, temporary.c_str(),
                            O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
    if (out.get() < 0) return Reason(errno);
    auto fail = [&](int error) {
        out = Descriptor();
        ::unlinkat(folder, temporary.c_str(), 0);
        return Reason(error);
    };
    if (old && ::fchmod(out.get(), old->st_mode & 0777) != 0) return fail(errno);
    for (std::size_t done = 0; done < bytes.size();) {
        ssize_t n = ::write(out.get(), bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return fail(errno);
        if (n == 0) return fail(EIO);
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(out.get()) != 0) return fail(errno);
    if (::close(out.release()) != 0) return fail(errno);
    if (::renameat(folder, temporary.c_str(), folder, target.name.c_str()) != 0) return fail(errno);
    // Without this the rename itself may not survive a power cut. The new file is in place
    // either way, so a folder that cannot be synced is no failed save.
    ::fsync(folder);
    return {};
}

}  // namespace

FileContents WorkingDirFiles::Read(std::string_view name, std::size_t maxBytes) {
    // Opening a FIFO or a device for reading can block or have side effects, so the name is
    // resolved first and only a regular file is ever opened.
    Target target;
    if (std::string error = Resolve(name, target, O_PATH); !error.empty()) return {{}, error};
    // O_NONBLOCK keeps a FIFO swapped in after the check from hanging the game.
    const int flags = O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC;
    Descriptor fd(::openat(target.folder.get(), target.name.c_str(), flags));
    // A missing file is created empty, but never where a link points.
    if (fd.get() < 0 && errno == ENOENT && !target.linked)
        fd = Descriptor(
            ::openat(target.folder.get(), target.name.c_str(), flags | O_CREAT | O_EXCL, 0666));
    if (fd.get() < 0) return {{}, Reason(errno)};
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0) return {{}, Reason(errno)};
    if (!S_ISREG(info.st_mode)) return {{}, NotRegular(info)};
    FileContents contents;
    contents.error = ReadStart(fd.get(), maxBytes, contents.bytes);
    if (!contents.error.empty()) contents.bytes.clear();
    return contents;
}

std::string WorkingDirFiles::Update(std::string_view name, std::size_t maxBytes,
                                    const Change& change) {
    Target target;
    if (std::string error = Resolve(name, target, O_RDONLY); !error.empty()) return error;
    if (std::string error = LockFolder(target.folder.get()); !error.empty()) return error;

    // Read again under the lock: what is decided on is what gets replaced.
    std::vector<unsigned char> current;
    struct stat old {};
    Descriptor in(::openat(target.folder.get(), target.name.c_str(),
                           O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_NOCTTY | O_CLOEXEC));
    if (in.get() < 0 && errno != ENOENT) return Reason(errno);
    const bool exists = in.get() >= 0;
    if (exists) {
        if (::fstat(in.get(), &old) != 0) return Reason(errno);
        if (std::string error = MayReplaceScores(target, old, maxBytes); !error.empty())
            return error;
        if (std::string error = ReadStart(in.get(), maxBytes, current); !error.empty())
            return error;
    }
    std::optional<std::vector<unsigned char>> next = change(current);
    if (!next) return {};
    return ReplaceWhole(target, exists ? &old : nullptr, *next);
}

std::string WorkingDirFiles::Remove(std::string_view name, std::size_t maxBytes) {
    Target target;
    const std::string error = Resolve(name, target, O_PATH);
    // A link is the player's set-up and stays: the file it names is emptied the way a save
    // writes it, under the same rules, or nothing is touched.
    if (target.linked || target.folder.get() < 0) {
        if (!error.empty()) return error;
        return Update(name, maxBytes, [](auto) { return std::vector<unsigned char>(); });
    }
    struct stat info {};
    if (::fstatat(target.folder.get(), target.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? std::string() : Reason(errno);
    if (std::string refused = MayReplaceScores(target, info, maxBytes); !refused.empty())
        return refused;
    if (::unlinkat(target.folder.get(), target.name.c_str(), 0) == 0 || errno == ENOENT) return {};
    return Reason(errno);
}

}  // namespace dyeland
