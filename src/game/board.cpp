// The rules the board obeys. The capture rule is a fixed 20 full sweeps over the board, with no
// work list, so its cost never depends on the board.
#include "game/board.h"

#include <algorithm>
#include <cmath>

namespace dyeland {

int RandomColour(double r) {
    int step = std::isfinite(r) ? static_cast<int>(std::floor(r * 8)) : 0;
    if (step < 0) step = 0;
    if (step > 7) step = 7;
    return FirstColour + step;
}

namespace {

constexpr int Last = BoardSide - 1;

inline void SpreadFrom(Grid& marks, const Grid& colors, int target, int x, int y) {
    if (x < Last && colors(x + 1, y) == target) marks(x + 1, y) = Marked;
    if (y > 0 && colors(x, y - 1) == target) marks(x, y - 1) = Marked;
    if (x > 0 && colors(x - 1, y) == target) marks(x - 1, y) = Marked;
    if (y < Last && colors(x, y + 1) == target) marks(x, y + 1) = Marked;
}

}  // namespace

void GrowRegion(Grid& marks, const Grid& colors, int targetColour, SweepOrder order) {
    for (int sweep = 1; sweep <= SweepsPerGrowth; ++sweep) {
        if (order == SweepOrder::Player) {
            for (int x = 0; x <= Last; ++x) {
                for (int y = Last; y >= 0; --y) {
                    if (marks(x, y) == Marked) SpreadFrom(marks, colors, targetColour, x, y);
                }
            }
        } else {
            for (int x = Last; x >= 0; --x) {
                for (int y = 0; y <= Last; ++y) {
                    if (marks(x, y) == Marked) SpreadFrom(marks, colors, targetColour, x, y);
                }
            }
        }
    }
}

int PaintRegion(const Grid& marks, Grid& colors, int colour) {
    int count = 0;
    for (int i = 0; i < CellCount; ++i) {
        if (marks.cells[i] == Marked) {
            colors.cells[i] = static_cast<std::int16_t>(colour);
            ++count;
        }
    }
    return count;
}

int CountMarks(const Grid& marks) {
    return static_cast<int>(std::count(marks.cells.begin(), marks.cells.end(), Marked));
}

int CaptureGain(const Grid& marks, const Grid& colors, int colour, SweepOrder order) {
    Grid grown = marks;
    GrowRegion(grown, colors, colour, order);
    return CountMarks(grown) - CountMarks(marks);
}

}  // namespace dyeland
