// Boards as text: 30 lines of 30 characters, digits 0-7 for colours 8-15 ('.' for a cell the
// test does not care about, read as the given filler). Marks print as '#' and '.'.
#pragma once

#include <ostream>
#include <string_view>

#include "game/board.h"

namespace dyeland {

// How a failing test prints a grid: '#' for a mark, '.' for 0, 0-7 for colours 8-15.
inline void PrintTo(const Grid& grid, std::ostream* os) {
    *os << "\n";
    for (int y = 0; y < BoardSide; ++y) {
        for (int x = 0; x < BoardSide; ++x) {
            const int v = grid(x, y);
            *os << (v == Marked                           ? '#'
                    : v == 0                              ? '.'
                    : v >= FirstColour && v <= LastColour ? static_cast<char>('0' + v - FirstColour)
                                                          : '?');
        }
        *os << "\n";
    }
}

}  // namespace dyeland

namespace dyeland::testing {

// Rows from the top (y = 0) down. Short or missing rows are filled with the filler colour.
Grid BoardFromText(std::string_view text, int filler = 8);

// '#' for a marked cell, '.' for any other; rows from the top.
Grid MarksFromText(std::string_view text);

}  // namespace dyeland::testing
