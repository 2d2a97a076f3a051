// Parsing boards and marks from text for readable fixtures.
#include "board_text.h"

namespace dyeland::testing {

namespace {

// Reads each non-blank line of text into the grid: the cell takes what read gives a character.
template <typename Read>
Grid FromText(std::string_view text, Grid g, Read read) {
    int y = 0;
    while (!text.empty() && y < BoardSide) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        // Leading blanks let fixtures be indented in raw strings.
        const auto first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos) {
            line.remove_prefix(first);
            for (int x = 0; x < BoardSide && x < static_cast<int>(line.size()); ++x)
                read(g(x, y), line[x]);
            ++y;
        }
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return g;
}

}  // namespace

Grid BoardFromText(std::string_view text, int filler) {
    Grid g;
    g.Fill(static_cast<std::int16_t>(filler));
    return FromText(text, g, [](std::int16_t& cell, char c) {
        if (c >= '0' && c <= '7') cell = static_cast<std::int16_t>(c - '0' + FirstColour);
    });
}

Grid MarksFromText(std::string_view text) {
    return FromText(text, Grid{}, [](std::int16_t& cell, char c) {
        if (c == '#') cell = Marked;
    });
}

}  // namespace dyeland::testing
