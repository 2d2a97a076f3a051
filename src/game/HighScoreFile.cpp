// The high-score file "res": its byte layout, and how the game reads, saves and deletes it
// without ever losing a score or stopping the game over a file problem.
#include "game/HighScoreFile.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>

#include "game/Game.h"

namespace dyeland {

static_assert(std::numeric_limits<float>::is_iec559 && sizeof(float) == 4,
              "the file holds IEEE singles; this float must be one");

namespace {

constexpr std::size_t ValueSize = 4;

// Outside records 1 and 2 there is nothing of the format to read or write.
bool IsRecord(int record) {
    return record == ClassicRecord || record == CentreRecord;
}

std::size_t RecordOffset(int record) {
    return static_cast<std::size_t>(record - 1) * RecordSize;
}

std::string SaveFailure(std::string_view reason) {
    return "The high score could not be saved in the file \"" + std::string(HighScoreFileName) +
           "\": " + std::string(reason);
}

}  // namespace

float ReadRecord(std::span<const unsigned char> file, int record) {
    if (!IsRecord(record)) return 0;
    std::size_t offset = RecordOffset(record);
    // Only a torn or foreign file ends inside a value; a few stray bytes are no score.
    if (file.size() < offset + ValueSize) return 0;
    std::uint32_t bits = 0;
    for (std::size_t i = 0; i < ValueSize; ++i) {
        bits |= static_cast<std::uint32_t>(file[offset + i]) << (8 * i);
    }
    float value = std::bit_cast<float>(bits);
    // A NaN would never be beaten and an infinity never shown; garbage counts as no record.
    return std::isfinite(value) ? value : 0.0f;
}

std::vector<unsigned char> WithRecord(std::span<const unsigned char> file, int record,
                                      float value) {
    std::vector<unsigned char> out(
        file.begin(),
        file.begin() + static_cast<std::ptrdiff_t>(std::min(file.size(), HighScoreFileSize)));
    if (!IsRecord(record)) return out;
    std::size_t offset = RecordOffset(record);
    if (out.size() < offset + RecordSize) out.resize(offset + RecordSize, 0);
    auto bits = std::bit_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < ValueSize; ++i) {
        out[offset + i] = static_cast<unsigned char>(bits >> (8 * i));
    }
    std::fill(out.begin() + static_cast<std::ptrdiff_t>(offset + ValueSize),
              out.begin() + static_cast<std::ptrdiff_t>(offset + RecordSize), 0);
    return out;
}

void Game::ReadHighScore() {
    FileContents file = scoreFile_.Read(HighScoreFileName, HighScoreFileSize);
    // An unreadable file only costs the display of the old record; the game plays on with 0
    // and tells the player when a save fails.
    float& buffer = state_.classicGame ? state_.highScoreClassic : state_.highScoreCentre;
    buffer = file.error.empty()
                 ? ReadRecord(file.bytes, state_.classicGame ? ClassicRecord : CentreRecord)
                 : 0.0f;
    state_.highScore = buffer;
}

void Game::SaveHighScore() {
    int record = state_.classicGame ? ClassicRecord : CentreRecord;
    float& buffer = state_.classicGame ? state_.highScoreClassic : state_.highScoreCentre;
    buffer = static_cast<float>(state_.score);
    if (!(buffer > state_.highScore)) return;
    // The decision is taken on what the file holds at the moment it is replaced, read under the
    // file's lock: another copy of the game in this folder may have stored a better score since
    // the game began. A file that can't be read is not written, which would wipe the other
    // variant's record.
    std::string error = scoreFile_.Update(
        HighScoreFileName, HighScoreFileSize,
        [&](std::span<const unsigned char> current) -> std::optional<std::vector<unsigned char>> {
            if (!(buffer > ReadRecord(current, record))) return std::nullopt;
            return WithRecord(current, record, buffer);
        });
    if (!error.empty()) Warn(SaveFailure(error));
}

void Game::DeleteHighScoreFile() {
    std::string error = scoreFile_.Remove(HighScoreFileName, HighScoreFileSize);
    if (!error.empty()) {
        Warn("The high scores could not be cleared in the file \"" +
             std::string(HighScoreFileName) + "\": " + error);
    }
}

}  // namespace dyeland
