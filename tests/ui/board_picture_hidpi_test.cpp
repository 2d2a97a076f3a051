// The board box on a screen scaled by two (run with QT_SCALE_FACTOR=2): drawn at device
// resolution, so grid lines are one device pixel and no colour is blurred.
#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "BoardPicture.h"
#include "Form1.h"
#include "window_test_support.h"

namespace dyeland::test {
namespace {

// Device pixel of a board coordinate: a border of 2 × 2, then one rounding from the drawing
// area's corner, which lies at -200.
int DeviceEdge(int units) {
    return 4 + static_cast<int>(std::lround((units + 200) * 2 / 15.0));
}

TEST(BoardAtDoubleScale, GridLinesAreOneDevicePixelAndNothingIsBlurred) {
    Form1 form;
    form.show();
    ASSERT_EQ(form.devicePixelRatioF(), 2.0) << "run with QT_SCALE_FACTOR=2";
    std::set<int> lines;
    for (int k = 0; k <= 30; ++k)
        lines.insert(DeviceEdge(200 * k));
    for (bool grid : {true, false}) {
        form.game.state.Colors.Fill(12);
        form.game.state.ShowGrid = grid;
        form.game.DrawBoard();
        // grab(): the offscreen screen is too small for the doubled window.
        const QImage image = form.findChild<BoardPicture*>("Picture1")->grab().toImage();
        ASSERT_EQ(image.size(), QSize(866, 866));
        for (int y = DeviceEdge(0); y <= DeviceEdge(6000); ++y) {
            for (int x = DeviceEdge(0); x <= DeviceEdge(6000); ++x) {
                const bool line = grid && (lines.count(x) || lines.count(y));
                ASSERT_EQ(image.pixel(x, y), line ? 0xFF000000 : 0xFFFF0000) << x << "," << y;
            }
        }
    }
}

}  // namespace
}  // namespace dyeland::test
