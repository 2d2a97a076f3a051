// The one way the board is drawn: a full pass over all 900 cells, leftmost column first, each
// column from the bottom row up, so the top-right cell is drawn last.
#include "game/game.h"

namespace dyeland {

void Game::DrawBoard() {
    state.CellX = 0;
    state.CellY = BoardSide - 1;
    state.CellSize = CellUnits;
    const int size = state.CellSize;
    for (int x = 0; x < BoardSide; ++x) {
        for (int y = BoardSide - 1; y >= 0; --y) {
            state.CellColor = state.Colors(x, y);
            const int x1 = size * x, y1 = size * y;
            host_.DrawSolidBox(x1, y1, x1 + size, y1 + size, state.CellColor);
            // Each outline redraws the edges that the next squares painted over.
            if (state.ShowGrid) host_.DrawOutlineBox(x1, y1, x1 + size, y1 + size, 0);
        }
    }
    state.CellX = 0;
    state.CellY = BoardSide - 1;
    host_.BoardDrawn();
}

}  // namespace dyeland
