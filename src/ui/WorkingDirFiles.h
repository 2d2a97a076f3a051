// Access to files in the working directory by bare name, for the high-score file: reads that
// never hang or crash on whatever sits in the folder, and atomic replacement.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

#include "game/host.h"

namespace dyeland {

class WorkingDirFiles {
public:
    // Reads at most maxBytes of a regular file; a missing file is created empty first.
    static FileContents Read(std::string_view name, std::size_t maxBytes);
    // Writes the whole new content beside the old file, then renames it over. "" or the reason.
    static std::string Replace(std::string_view name, std::span<const unsigned char> bytes);
    // "" when the file is gone afterwards (also when it never existed), else the reason.
    static std::string Remove(std::string_view name);
};

}  // namespace dyeland
