// How the computer chooses its colour: it rates the eight colours by a trial capture each, keeps
// a short history of leaders in the game's state, and plays the first choice neither side holds.
#pragma once

#include "game/GameState.h"
#include "game/Sources.h"

namespace dyeland {

// Rates the colours for the computer's region: best1 becomes the last leader, best2 the one it
// displaced, and best4 and best5 the older leaders.
void RateColours(GameState& state);

// The colour to play after a rating: the first of best1, best2, colour 15 and random colours
// that neither side holds.
int ChooseColour(const GameState& state, Sources& random);

}  // namespace dyeland
