// The capture rule against an independent shortest-path formulation on random boards, in both
// sweep orders, with the repaint and count of the region it leaves, and the computer's own
// growths held to it.
#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <random>
#include <string>

#include "Table.h"

namespace dyeland {
namespace {

// A cell that first spreads in sweep s marks a neighbour of the target colour, which first
// spreads in sweep s if the sweep visits it later, else in sweep s + 1; cells marked by a cell
// spreading within 20 sweeps are captured. A 0-1 BFS finds each cell's earliest sweep.
Grid ReferenceGrowth(const Grid& start, const Grid& colours, int target, SweepOrder order) {
    auto position = [order](int x, int y) {
        return order == SweepOrder::Player ? x * BoardSide + (BoardSide - 1 - y)
                                           : (BoardSide - 1 - x) * BoardSide + y;
    };
    std::array<int, CellCount> firstSweep;
    firstSweep.fill(SweepsPerGrowth + 1);
    std::deque<int> queue;
    for (int i = 0; i < CellCount; ++i) {
        if (start.cells[i] == Marked) firstSweep[i] = 1, queue.push_back(i);
    }
    Grid result = start;
    while (!queue.empty()) {
        const int i = queue.front(), x = i % BoardSide, y = i / BoardSide, s = firstSweep[i];
        queue.pop_front();
        const int dx[] = {1, 0, -1, 0}, dy[] = {0, -1, 0, 1};
        for (int d = 0; d < 4 && s <= SweepsPerGrowth; ++d) {
            const int nx = x + dx[d], ny = y + dy[d], n = nx + BoardSide * ny;
            if (nx < 0 || ny < 0 || nx >= BoardSide || ny >= BoardSide) continue;
            if (colours(nx, ny) != target) continue;
            result(nx, ny) = Marked;
            const bool later = position(nx, ny) > position(x, y);
            if ((later ? s : s + 1) >= firstSweep[n]) continue;
            firstSweep[n] = later ? s : s + 1;
            later ? queue.push_front(n) : queue.push_back(n);
        }
    }
    return result;
}

TEST(GrowRegion, AgreesWithAShortestPathFormulationOnRandomBoards) {
    std::mt19937 random(20261206);
    for (int round = 0; round < 3000; ++round) {
        // Few colours make long winding areas, where the sweep order matters most.
        std::uniform_int_distribution<int> colour(FirstColour, FirstColour + 1 + round % 3);
        Grid colours, marks;
        for (auto& c : colours.cells)
            c = static_cast<std::int16_t>(colour(random));
        for (int k = 0; k <= round % 4; ++k)
            marks.cells[std::uniform_int_distribution<int>(0, CellCount - 1)(random)] = Marked;
        const int target = colour(random);
        const SweepOrder order = round % 2 ? SweepOrder::Player : SweepOrder::Computer;
        const Grid expected = ReferenceGrowth(marks, colours, target, order);
        GrowRegion(marks, colours, target, order);
        ASSERT_EQ(marks, expected) << "round " << round;
        // The repaint gives every marked cell the colour, whatever it was before.
        const int count = PaintRegion(marks, colours, 3);
        ASSERT_TRUE(test::AfterMove(marks, colours, 3, count)) << "round " << round;
    }
}

// The computer's opening and its moves grow its region in its own sweep order. On boards of two
// colours the regions wind enough for 20 sweeps in another order to end elsewhere.
TEST(GrowRegion, TheComputersOpeningAndMovesGrowInItsOwnSweepOrder) {
    std::mt19937 random(20261207);
    std::uniform_int_distribution<int> twoColours(FirstColour, FirstColour + 1);
    for (int round = 0; round < 10; ++round) {
        const bool opening = round % 2 == 0;
        SCOPED_TRACE((opening ? "the opening, round " : "a move, round ") + std::to_string(round));
        Grid board;
        std::generate(board.cells.begin(), board.cells.end(), [&] { return twoColours(random); });
        test::Table t;
        t.Position(board, 12, 13);
        const Grid corner = t.s.computerMarks;
        opening ? t.game.PlayOpeningMove() : t.game.PlayComputersTurn();
        const int colour = opening ? board(29, 0) : t.s.computerColour;
        EXPECT_EQ(t.s.computerMarks, ReferenceGrowth(corner, board, colour, SweepOrder::Computer));
    }
}

}  // namespace
}  // namespace dyeland
