// The high-score file as the game sees it: a file in the working directory, by bare name, read
// and replaced whole.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace dyeland {

struct FileContents {
    std::vector<unsigned char> bytes;
    std::string error;  // the system's reason; empty when the read worked
};

class ScoreFile {
public:
    virtual ~ScoreFile() = default;

    // Reads at most maxBytes; a missing file is created empty first.
    virtual FileContents Read(std::string_view name, std::size_t maxBytes) = 0;
    // The new content of a file, worked out from its current first bytes; nullopt keeps it.
    using Change = std::function<std::optional<std::vector<unsigned char>>(
        std::span<const unsigned char> current)>;
    // Reads at most maxBytes of the file and replaces the whole file atomically with what change
    // makes of them, with no other copy of the game changing it in between. Returns "" when that
    // worked or nothing needed changing, else the reason nothing was changed.
    virtual std::string Update(std::string_view name, std::size_t maxBytes,
                               const Change& change) = 0;
    // Removes the file; a file that does not exist is not an error. What Update would refuse to
    // replace is refused here too. A link stays: the file it names is emptied instead, as Update
    // would write it. Returns "" or the reason.
    virtual std::string Remove(std::string_view name, std::size_t maxBytes) = 0;
};

}  // namespace dyeland
