// The computer's opening: its start region grows over the colour of the top-right cell, which
// becomes the colour the player's first pick is tested against.
#include "game/game.h"

namespace dyeland {

void Game::PlayOpeningMove() {
    if (ended_) return;
    GameState& s = state;
    ReleaseComputerCorner(false);
    // The top-right cell sets the colour in both variants, so in the centre game the region
    // grows from (15, 15) only over touching cells that happen to share that colour.
    s.ComputerColor = s.Colors(ClassicStartX, ClassicStartY);
    GrowRegion(s.ComputerMarks, s.Colors, s.ComputerColor, SweepOrder::Computer);
    window_.SetAutoRedraw(true);
    window_.FocusStepButton();
}

}  // namespace dyeland
