// The game's doors to everything around it, one per concern: whoever shows it, the random source
// with the clock, and the score file. main() puts them together; tests hand in fakes.
#pragma once

#include "game/GameView.h"
#include "game/ScoreFile.h"
#include "game/Sources.h"

namespace dyeland {

struct Host {
    GameView& view;
    Sources& sources;
    ScoreFile& scoreFile;
};

}  // namespace dyeland
