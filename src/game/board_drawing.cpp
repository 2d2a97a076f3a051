// The one way the board is drawn: a full pass over all 900 cells, leftmost column first, each
// column from the bottom row up, so the top-right cell is drawn last.
#include "game/game.h"

namespace dyeland {

void Game::DrawBoard() {
    constexpr int size = CellUnits;
    for (int x = 0; x < BoardSide; ++x) {
        for (int y = BoardSide - 1; y >= 0; --y) {
            const int x1 = size * x, y1 = size * y;
            window_.DrawSolidBox(x1, y1, x1 + size, y1 + size, state.Colors(x, y));
            // Each outline redraws the edges that the next squares painted over.
            if (state.ShowGrid) window_.DrawOutlineBox(x1, y1, x1 + size, y1 + size, 0);
        }
    }
    window_.BoardDrawn();
}

}  // namespace dyeland
