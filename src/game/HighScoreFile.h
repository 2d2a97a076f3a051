// The high-score file "res": two records of 10 bytes, each starting with a little-endian
// IEEE single (record 1 the Classic game, record 2 the centre game).
#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace dyeland {

inline constexpr std::string_view HighScoreFileName = "res";
inline constexpr std::size_t RecordSize = 10;
inline constexpr int ClassicRecord = 1;
inline constexpr int CentreRecord = 2;
// Nothing past the second record belongs to the format; a bigger file is read only this far.
inline constexpr std::size_t HighScoreFileSize = 2 * RecordSize;

// The value of a record; 0 when its bytes lie past the end or it is not a finite number.
float ReadRecord(std::span<const unsigned char> file, int record);

// The file with one record replaced (value and zeroed reserved bytes), every other byte kept;
// a short file grows to hold the record.
std::vector<unsigned char> WithRecord(std::span<const unsigned char> file, int record, float value);

}  // namespace dyeland
