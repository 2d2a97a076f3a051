// Parsing and printing boards and marks as text for readable fixtures and failures.
#include "board_text.h"

#include <vector>

namespace dyeland::testing {

namespace {

std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        // Leading blanks let fixtures be indented in raw strings.
        auto first = line.find_first_not_of(" \t");
        if (first != std::string_view::npos) lines.push_back(line.substr(first));
        if (end == std::string_view::npos) break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

}  // namespace

Grid BoardFromText(std::string_view text, int filler) {
    Grid g;
    g.Fill(static_cast<std::int16_t>(filler));
    auto lines = Lines(text);
    for (int y = 0; y < BoardSide && y < static_cast<int>(lines.size()); ++y) {
        for (int x = 0; x < BoardSide && x < static_cast<int>(lines[y].size()); ++x) {
            char c = lines[y][x];
            if (c >= '0' && c <= '7') g(x, y) = static_cast<std::int16_t>(c - '0' + FirstColour);
        }
    }
    return g;
}

std::string BoardToText(const Grid& colors) {
    std::string out;
    for (int y = 0; y < BoardSide; ++y) {
        for (int x = 0; x < BoardSide; ++x) {
            int c = colors(x, y);
            out += c >= FirstColour && c <= LastColour ? static_cast<char>('0' + c - FirstColour)
                                                       : '?';
        }
        out += '\n';
    }
    return out;
}

Grid MarksFromText(std::string_view text) {
    Grid g;
    auto lines = Lines(text);
    for (int y = 0; y < BoardSide && y < static_cast<int>(lines.size()); ++y) {
        for (int x = 0; x < BoardSide && x < static_cast<int>(lines[y].size()); ++x) {
            if (lines[y][x] == '#') g(x, y) = Marked;
        }
    }
    return g;
}

std::string MarksToText(const Grid& marks) {
    std::string out;
    for (int y = 0; y < BoardSide; ++y) {
        for (int x = 0; x < BoardSide; ++x)
            out += marks(x, y) == Marked ? '#' : '.';
        out += '\n';
    }
    return out;
}

int CountOf(const Grid& marks) {
    int n = 0;
    for (auto v : marks.cells)
        n += v == Marked ? 1 : 0;
    return n;
}

}  // namespace dyeland::testing
