// The board model: its geometry, the palette, the 30 × 30 arrays of 16-bit values that hold
// colours and region marks, and the rules the board obeys: the deal's colours and the one
// capture rule by which every region grows.
#pragma once

#include <array>
#include <cstdint>

namespace dyeland {

inline constexpr int BoardSide = 30;
inline constexpr int CellCount = BoardSide * BoardSide;
// A side wins with more than this many cells; exactly half the board is no win.
inline constexpr int WinningCount = 450;

// A region mark: all bits set. Only this exact value means "owned".
inline constexpr std::int16_t Marked = -1;

// The first and last of the eight playable palette entries.
inline constexpr int FirstColour = 8;
inline constexpr int LastColour = 15;

// A board array indexed (x, y): x is the column from the left, y the row from the top.
// Stored flat, cell (x, y) at x + 30·y.
struct Grid {
    std::array<std::int16_t, CellCount> cells{};

    std::int16_t& operator()(int x, int y) { return cells[x + BoardSide * y]; }
    std::int16_t operator()(int x, int y) const { return cells[x + BoardSide * y]; }
    void Fill(std::int16_t value) { cells.fill(value); }
    bool operator==(const Grid&) const = default;
};

// The 16-colour palette of the PC text modes, index to 0xRRGGBB.
inline constexpr std::array<std::uint32_t, 16> Palette = {
    0x000000, 0x000080, 0x008000, 0x008080, 0x800000, 0x800080, 0x808000, 0xC0C0C0,
    0x808080, 0x0000FF, 0x00FF00, 0x00FFFF, 0xFF0000, 0xFF00FF, 0xFFFF00, 0xFFFFFF,
};

// Palette RGB for any stored colour value; values outside the palette never occur in play,
// but a drawing must not read past the table because of one.
constexpr std::uint32_t PaletteRgb(int colour) {
    return colour >= 0 && colour < static_cast<int>(Palette.size()) ? Palette[colour] : 0;
}

// A colour from a uniform number r in [0, 1): 8 to 15 with equal chance. Taking the integer
// part of r × 8 + 8 would round to 16 for the largest r below 1, so the fraction is floored
// first and clamped, whatever the source hands over.
int RandomColour(double r);

// The player's sweep runs the columns left to right, each from the bottom row up; the
// computer's runs them right to left, each from the top row down.
enum class SweepOrder { Player, Computer };

inline constexpr int SweepsPerGrowth = 20;

// Exactly 20 sweeps; a marked cell marks its edge neighbours (right, up, left, down) whose
// colour is the target, and a mark spreads as soon as the sweep reaches it.
void GrowRegion(Grid& marks, const Grid& colours, int targetColour, SweepOrder order);

// Gives every marked cell the colour and returns how many there are.
int PaintRegion(const Grid& marks, Grid& colours, int colour);

// Number of marked cells.
int CountMarks(const Grid& marks);

// How many cells the region would gain by taking the colour now: the same sweeps, run on a copy.
int CaptureGain(const Grid& marks, const Grid& colours, int colour, SweepOrder order);

}  // namespace dyeland
