// Access to files in the working directory by bare name, for the high-score file: reads that
// never hang, crash or create anything behind a link, and updates that either replace the file
// whole or leave every byte of it, and of anyone else's file, as it was.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "game/ScoreFile.h"

namespace dyeland {

class WorkingDirFiles final : public ScoreFile {
public:
    // Reads at most maxBytes of a regular file; a missing file (not a dangling link) is created
    // empty first. A link that another user put in a shared folder is never followed.
    FileContents Read(std::string_view name, std::size_t maxBytes) override;
    // ScoreFile::Update on the working directory. A file longer than maxBytes is never ours to
    // replace, and a link is followed to a file it names, which is replaced in its own folder.
    // A file the player may not write, or whose write bits are all off, is never replaced.
    std::string Update(std::string_view name, std::size_t maxBytes, const Change& change) override;
    // "" when the file is gone afterwards (also when it never existed), else the reason. What
    // Update would not replace stays. Through a link, the file it names is emptied as Update
    // would write it, and the link stays.
    std::string Remove(std::string_view name, std::size_t maxBytes) override;
};

}  // namespace dyeland
