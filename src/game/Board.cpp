// The rules the board obeys. The capture rule is a fixed 20 full sweeps over the board, with no
// work list, so its cost never depends on the board.
#include "game/Board.h"

#include <algorithm>
#include <cmath>

namespace dyeland {

int RandomColour(double r) {
    const double step = std::isfinite(r) ? std::floor(r * 8) : 0;
    return FirstColour + static_cast<int>(std::clamp(step, 0.0, 7.0));
}

namespace {

constexpr int Last = BoardSide - 1;

inline void SpreadFrom(Grid& marks, const Grid& colours, int target, int x, int y) {
    if (x < Last && colours(x + 1, y) == target) marks(x + 1, y) = Marked;
    if (y > 0 && colours(x, y - 1) == target) marks(x, y - 1) = Marked;
    if (x > 0 && colours(x - 1, y) == target) marks(x - 1, y) = Marked;
    if (y < Last && colours(x, y + 1) == target) marks(x, y + 1) = Marked;
}

}  // namespace

void GrowRegion(Grid& marks, const Grid& colours, int targetColour, SweepOrder order) {
    for (int sweep = 1; sweep <= SweepsPerGrowth; ++sweep) {
        if (order == SweepOrder::Player) {
            for (int x = 0; x <= Last; ++x) {
                for (int y = Last; y >= 0; --y) {
                    if (marks(x, y) == Marked) SpreadFrom(marks, colours, targetColour, x, y);
                }
            }
        } else {
            for (int x = Last; x >= 0; --x) {
                for (int y = 0; y <= Last; ++y) {
                    if (marks(x, y) == Marked) SpreadFrom(marks, colours, targetColour, x, y);
                }
            }
        }
    }
}

int PaintRegion(const Grid& marks, Grid& colours, int colour) {
    int count = 0;
    for (int i = 0; i < CellCount; ++i) {
        if (marks.cells[i] == Marked) {
            colours.cells[i] = static_cast<std::int16_t>(colour);
            ++count;
        }
    }
    return count;
}

int CountMarks(const Grid& marks) {
    return static_cast<int>(std::count(marks.cells.begin(), marks.cells.end(), Marked));
}

int CaptureGain(const Grid& marks, const Grid& colours, int colour, SweepOrder order) {
    Grid grown = marks;
    GrowRegion(grown, colours, colour, order);
    return CountMarks(grown) - CountMarks(marks);
}

}  // namespace dyeland
