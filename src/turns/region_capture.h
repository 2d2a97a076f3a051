// The one capture rule by which every region grows, and the repaint-and-count of a region.
#pragma once

#include "game/board.h"

namespace dyeland {

// The player's sweep runs the columns left to right, each from the bottom row up; the
// computer's runs them right to left, each from the top row down.
enum class SweepOrder { Player, Computer };

inline constexpr int SweepsPerGrowth = 20;

// Exactly 20 sweeps; a marked cell marks its edge neighbours (right, up, left, down) whose
// colour is the target, and a mark spreads as soon as the sweep reaches it.
void GrowRegion(Grid& marks, const Grid& colors, int targetColour, SweepOrder order);

// Gives every marked cell the colour and returns how many there are.
int PaintRegion(const Grid& marks, Grid& colors, int colour);

// Number of marked cells.
int CountMarks(const Grid& marks);

// How many cells the region would gain by taking the colour now: the same sweeps, run on a copy.
int CaptureGain(const Grid& marks, const Grid& colors, int colour, SweepOrder order);

}  // namespace dyeland
