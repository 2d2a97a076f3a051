// libFuzzer target for the high-score file: whatever bytes sit in "res", reading gives a
// finite number and a save never lowers a record or disturbs the other one.
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "FakeHost.h"
#include "game/Game.h"
#include "game/HighScoreFile.h"

namespace {

void Check(bool ok) {
    if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace dyeland;
    if (size < 3) return 0;
    const bool classic = (data[0] & 1) != 0;
    const auto score = static_cast<std::int16_t>(data[1] | (data[2] << 8));
    const std::vector<unsigned char> before(data + 3, data + size);

    for (int record : {ClassicRecord, CentreRecord})
        Check(std::isfinite(ReadRecord(before, record)));

    test::FakeHost host;
    host.files["res"] = before;
    Game game(host.Parts());
    GameState& state = game.ArrangeForTest();
    state.classicGame = classic;
    state.score = score;
    state.highScore = (data[0] & 2) != 0 ? 0.0f : ReadRecord(before, classic ? 1 : 2);
    game.SaveHighScore();

    const int record = classic ? ClassicRecord : CentreRecord;
    const int other = classic ? CentreRecord : ClassicRecord;
    // The other record keeps every byte it had, wherever the file ends; the ones it lacked in a
    // short file read as zero.
    auto keepsOtherRecord = [&](const std::vector<unsigned char>& file) {
        const std::size_t start = (other - 1) * RecordSize;
        for (std::size_t i = start; i < start + RecordSize; ++i) {
            if (i < before.size() ? i >= file.size() || file[i] != before[i]
                                  : i < file.size() && file[i] != 0)
                return false;
        }
        return true;
    };
    const std::vector<unsigned char>& after = host.files["res"];
    Check(ReadRecord(after, record) >= ReadRecord(before, record));
    // A rewritten record is its value and six zero bytes, in a file of no more than two records.
    const std::vector<unsigned char> rewritten = WithRecord(before, record, 1.0f);
    Check(rewritten.size() <= HighScoreFileSize && ReadRecord(rewritten, record) == 1.0f);
    Check(keepsOtherRecord(rewritten));
    for (std::size_t i = (record - 1) * RecordSize + 4; i < record * RecordSize; ++i)
        Check(rewritten[i] == 0);
    if (after != before) {
        Check(after.size() <= std::max<std::size_t>(HighScoreFileSize, before.size()));
        Check(keepsOtherRecord(after));
        Check(ReadRecord(after, record) == static_cast<float>(score));
    }
    return 0;
}
