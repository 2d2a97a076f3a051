// The capture rule: how far one growth reaches in each sweep order, checked on drawn boards
// and against an independent shortest-path formulation on random ones.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <limits>
#include <random>

#include "board_text.h"
#include "turns/region_capture.h"

namespace dyeland {
namespace {

using testing::BoardFromText;

constexpr int Target = 9;  // '1' in board text

Grid OneMark(int x, int y) {
    Grid marks;
    marks(x, y) = Marked;
    return marks;
}

// A board of colour 8 with a straight run of the target colour of `length` cells leading
// from (x, y) in direction (dx, dy), the start cell excluded.
Grid BoardWithRun(int x, int y, int dx, int dy, int length) {
    Grid colors;
    colors.Fill(8);
    for (int i = 1; i <= length; ++i)
        colors(x + dx * i, y + dy * i) = Target;
    return colors;
}

// Runs in the sweep's own directions cost nothing; runs against them gain one cell a sweep,
// the first cell being free, so 20 sweeps take exactly 20 cells.
TEST(GrowRegion, StraightRunsReachAsFarAsTheSweepOrderAllows) {
    const struct {
        const char* name;
        SweepOrder order;
        int x, y, dx, dy, length;
        int captured;  // cells of the run the growth takes
    } cases[] = {
        {"player right", SweepOrder::Player, 0, 29, 1, 0, 29, 29},
        {"player up", SweepOrder::Player, 0, 29, 0, -1, 29, 29},
        {"player left", SweepOrder::Player, 29, 10, -1, 0, 25, 20},
        {"player down", SweepOrder::Player, 5, 0, 0, 1, 25, 20},
        {"computer left", SweepOrder::Computer, 29, 0, -1, 0, 29, 29},
        {"computer down", SweepOrder::Computer, 29, 0, 0, 1, 29, 29},
        {"computer right", SweepOrder::Computer, 0, 12, 1, 0, 25, 20},
        {"computer up", SweepOrder::Computer, 7, 29, 0, -1, 25, 20},
        {"short run against", SweepOrder::Computer, 0, 12, 1, 0, 20, 20},
    };
    for (const auto& c : cases) {
        Grid colors = BoardWithRun(c.x, c.y, c.dx, c.dy, c.length);
        Grid marks = OneMark(c.x, c.y);
        GrowRegion(marks, colors, Target, c.order);
        EXPECT_EQ(CountMarks(marks), 1 + c.captured) << c.name << ::testing::PrintToString(marks);
        for (int i = 1; i <= c.captured; ++i) {
            EXPECT_EQ(marks(c.x + c.dx * i, c.y + c.dy * i), Marked) << c.name << " cell " << i;
        }
    }
}

// A corridor that doubles back against the player's directions is taken in part; a second
// growth with the same colour goes on from where the first stopped.
TEST(GrowRegion, WindingCorridorIsContinuedByTheNextGrowth) {
    // From the start cell (0, 29) up column 0 to the top, right along row 0 to column 29,
    // down column 29 to row 29, then left along row 29 back to column 2.
    Grid colors;
    colors.Fill(8);
    for (int i = 0; i < BoardSide; ++i)
        colors(0, i) = colors(i, 0) = colors(29, i) = colors(std::max(i, 2), 29) = Target;
    Grid marks = OneMark(0, 29);
    GrowRegion(marks, colors, Target, SweepOrder::Player);
    // Up and right are free; down column 29 costs a sweep a cell (the first step free).
    EXPECT_EQ(marks(29, 20), Marked);
    EXPECT_NE(marks(29, 21), Marked) << ::testing::PrintToString(marks);
    EXPECT_EQ(CountMarks(marks), 1 + 29 + 29 + 20);

    GrowRegion(marks, colors, Target, SweepOrder::Player);
    // Nine sweeps finish column 29; the other eleven take row 29 leftwards, one cell each.
    EXPECT_EQ(marks(18, 29), Marked);
    EXPECT_NE(marks(17, 29), Marked) << ::testing::PrintToString(marks);

    GrowRegion(marks, colors, Target, SweepOrder::Player);
    EXPECT_EQ(CountMarks(marks), 1 + 29 + 29 + 29 + 27);
    EXPECT_NE(marks(1, 29), Marked);  // colour 8, never taken
}

// Only edge neighbours join, and every marked cell spreads whatever its own colour.
TEST(GrowRegion, TakesEdgeNeighboursOfTheTargetColourOnly) {
    Grid colors = BoardFromText(R"(
        0000000
        0001000
        0020000
        0003100
    )");
    Grid marks = OneMark(2, 2);  // colour 10, not the target: it spreads all the same
    GrowRegion(marks, colors, Target, SweepOrder::Player);
    EXPECT_EQ(marks, OneMark(2, 2)) << "(3, 1) is diagonal, (4, 3) touches only colour 11";

    colors(2, 1) = Target;  // now (3, 1) is reached through an edge path
    GrowRegion(marks, colors, Target, SweepOrder::Computer);
    EXPECT_EQ(marks, testing::MarksFromText("...\n..##\n..#"));
}

// Marks are never cleared, and a cell of the other side's region joins like any other.
TEST(GrowRegion, NeverClearsAMarkAndIgnoresTheOtherSidesCells) {
    Grid colors;
    colors.Fill(Target);
    Grid marks = OneMark(0, 29);
    marks(20, 3) = Marked;
    GrowRegion(marks, colors, Target, SweepOrder::Player);
    EXPECT_EQ(CountMarks(marks), CellCount) << "the computer's corner (29, 0) included";
}

// An independent formulation: a cell that first spreads in sweep s marks a neighbour that
// then first spreads in sweep s when the sweep visits it later, else in sweep s + 1. Cells
// marked by a neighbour spreading within 20 sweeps are captured. A 0-1 BFS finds the
// earliest sweep of every cell.
Grid ReferenceGrowth(const Grid& start, const Grid& colors, int target, SweepOrder order) {
    auto position = [order](int x, int y) {
        return order == SweepOrder::Player ? x * BoardSide + (BoardSide - 1 - y)
                                           : (BoardSide - 1 - x) * BoardSide + y;
    };
    constexpr int Never = std::numeric_limits<int>::max();
    std::array<int, CellCount> firstSweep;
    firstSweep.fill(Never);
    std::deque<int> queue;
    for (int i = 0; i < CellCount; ++i) {
        if (start.cells[i] == Marked) {
            firstSweep[i] = 1;
            queue.push_back(i);
        }
    }
    Grid result = start;
    while (!queue.empty()) {
        int i = queue.front();
        queue.pop_front();
        int x = i % BoardSide, y = i / BoardSide, s = firstSweep[i];
        if (s > SweepsPerGrowth) continue;
        const int dx[] = {1, 0, -1, 0}, dy[] = {0, -1, 0, 1};
        for (int d = 0; d < 4; ++d) {
            int nx = x + dx[d], ny = y + dy[d];
            if (nx < 0 || ny < 0 || nx >= BoardSide || ny >= BoardSide) continue;
            if (colors(nx, ny) != target) continue;
            result(nx, ny) = Marked;
            int n = nx + BoardSide * ny;
            bool later = position(nx, ny) > position(x, y);
            int ns = later ? s : s + 1;
            if (ns < firstSweep[n]) {
                firstSweep[n] = ns;
                later ? queue.push_front(n) : queue.push_back(n);
            }
        }
    }
    return result;
}

TEST(GrowRegion, AgreesWithAShortestPathFormulationOnRandomBoards) {
    std::mt19937 random(20261206);
    for (int round = 0; round < 3000; ++round) {
        // Few colours make long winding areas, where the sweep order matters most.
        const int colours = 2 + round % 3;
        std::uniform_int_distribution<int> colour(FirstColour, FirstColour + colours - 1);
        std::uniform_int_distribution<int> cell(0, CellCount - 1);
        Grid colors, marks;
        for (auto& c : colors.cells)
            c = static_cast<std::int16_t>(colour(random));
        const int seeds = 1 + round % 4;
        for (int k = 0; k < seeds; ++k)
            marks.cells[cell(random)] = Marked;
        const int target = colour(random);
        const SweepOrder order = round % 2 ? SweepOrder::Player : SweepOrder::Computer;

        Grid expected = ReferenceGrowth(marks, colors, target, order);
        GrowRegion(marks, colors, target, order);
        ASSERT_EQ(marks, expected)
            << "round " << round << " on" << ::testing::PrintToString(colors);
    }
}

TEST(PaintRegion, RecoloursAndCountsEveryMarkedCell) {
    Grid colors = BoardFromText("0123\n4567\n");
    const Grid before = colors;
    EXPECT_EQ(PaintRegion(Grid{}, colors, 12), 0);
    EXPECT_EQ(colors, before);

    Grid marks = testing::MarksFromText("#..#\n.#..\n");
    marks(29, 29) = Marked;
    EXPECT_EQ(PaintRegion(marks, colors, 12), 4);
    Grid expected = BoardFromText("4124\n4467\n");
    expected(29, 29) = 12;
    EXPECT_EQ(colors, expected);
}

}  // namespace
}  // namespace dyeland
