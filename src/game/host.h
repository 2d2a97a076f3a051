// The game's doors to everything around it, one per concern: the window, the random source with
// the clock, and the score file. main() puts them together; tests hand in fakes.
#pragma once

#include "game/game_window.h"
#include "game/score_file.h"
#include "game/sources.h"

namespace dyeland {

struct Host {
    GameWindow& window;
    Sources& sources;
    ScoreFile& scoreFile;
};

}  // namespace dyeland
