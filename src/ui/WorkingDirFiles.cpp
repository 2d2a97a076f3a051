// Files in the working directory for the high-score file: a read that neither blocks nor
// crashes on whatever sits under the name, an atomic replace, and a remove.
#include "WorkingDirFiles.h"

#include <QSaveFile>
#include <QString>

#include <cerrno>
#include <string>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dyeland {

namespace {

std::string Reason(int error) {
    return std::system_category().message(error);
}

std::string NotRegular(const struct stat& info) {
    return S_ISDIR(info.st_mode) ? Reason(EISDIR) : std::string("Not a regular file");
}

// Closes the descriptor on every way out of Read.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

}  // namespace

FileContents WorkingDirFiles::Read(std::string_view name, std::size_t maxBytes) {
    const std::string path(name);
    // Opening a FIFO or a device for reading can block or have side effects, so only a
    // regular file (or nothing, which is then created) is ever opened.
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && !S_ISREG(info.st_mode)) {
        return {{}, NotRegular(info)};
    }
    // O_NONBLOCK keeps a FIFO swapped in after the check from hanging the game.
    Descriptor fd(
        ::open(path.c_str(), O_RDONLY | O_CREAT | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666));
    if (fd.get() < 0) return {{}, Reason(errno)};
    if (::fstat(fd.get(), &info) != 0) return {{}, Reason(errno)};
    if (!S_ISREG(info.st_mode)) return {{}, NotRegular(info)};

    FileContents contents;
    contents.bytes.resize(maxBytes);
    std::size_t filled = 0;
    while (filled < maxBytes) {
        ssize_t n = ::read(fd.get(), contents.bytes.data() + filled, maxBytes - filled);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return {{}, Reason(errno)};
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
    }
    contents.bytes.resize(filled);
    return contents;
}

std::string WorkingDirFiles::Replace(std::string_view name, std::span<const unsigned char> bytes) {
    QSaveFile file(QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())));
    // Writing in place when the folder refuses a new file would bring back torn files.
    file.setDirectWriteFallback(false);
    auto reason = [&file] {
        std::string text = file.errorString().toStdString();
        return text.empty() ? std::string("unknown error") : text;
    };
    if (!file.open(QIODevice::WriteOnly)) return reason();
    const auto size = static_cast<qint64>(bytes.size());
    if (file.write(reinterpret_cast<const char*>(bytes.data()), size) != size) {
        std::string text = reason();
        file.cancelWriting();  // the destructor then drops the new file unrenamed
        return text;
    }
    // commit() syncs the new file and renames it over the old one; the old file stays whole
    // until that rename.
    if (!file.commit()) return reason();
    return {};
}

std::string WorkingDirFiles::Remove(std::string_view name) {
    const std::string path(name);
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return {};
    return Reason(errno);
}

}  // namespace dyeland
