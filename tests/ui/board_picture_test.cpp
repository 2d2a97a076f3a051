// The board box: cells and grid lines on whole device pixels, and the retained image that
// AutoRedraw selects against what only reached the screen. CTest runs it once more on a screen
// scaled by two.
#include <gtest/gtest.h>

#include <QTest>
#include <cmath>
#include <set>

#include "BoardPicture.h"
#include "Form1.h"
#include "window_test_support.h"

namespace dyeland::test {
namespace {

constexpr QRgb Black = 0xFF000000, Red = 0xFFFF0000;

struct Board : testing::Test {
    Board() { form.show(); }
    // Device pixel of a board coordinate: the 2-pixel border, then one rounding from the
    // drawing area's corner, which lies at -200.
    int Edge(int units) const { return 2 * dpr + int(std::lround((units + 200) * dpr / 15.0)); }
    // The offscreen screen is too small for the doubled window: there it is painted anew.
    QImage Shot() { return dpr == 1 ? OnScreen(*picture) : picture->grab().toImage(); }
    QImage Fill(bool grid) {
        form.game.state.Colors.Fill(12);
        form.game.state.ShowGrid = grid;
        form.game.DrawBoard();
        return Shot();
    }
    Form1 form;
    BoardPicture* picture = Control<BoardPicture>(form, "Picture1");
    int dpr = static_cast<int>(form.devicePixelRatioF());
};

// Each line is one device pixel on a cell's first pixel; without lines a board of one colour is
// one flat area up to its right and bottom edge, with no line left from before.
TEST_F(Board, GridLinesAreOnePixelAndCellsMeetWithoutSeams) {
    std::set<int> lines;
    for (int k = 0; k <= 30; ++k)
        lines.insert(Edge(200 * k));
    for (bool grid : {true, false}) {
        const QImage image = Fill(grid);
        for (int y = Edge(0); y <= Edge(6000); ++y)
            for (int x = Edge(0); x <= Edge(6000); ++x)
                ASSERT_EQ(image.pixel(x, y),
                          grid && (lines.count(x) || lines.count(y)) ? Black : Red)
                    << x << "," << y << " at scale " << dpr;
    }
}

// Grid retained, none on the screen: a click, the focus and Qt's own repaints change no pixel;
// the window's expose of a part brings the retained image back there and only there; drawing
// with the switch on, or the window coming back from minimised, brings all of it back. A
// compositing window manager keeps a minimised window's pixels, so the restore may come with no
// expose at all.
TEST_F(Board, OnlyUncoveringRetainedDrawingOrARestoreShowTheRetainedImage) {
    Fill(true);
    form.SetAutoRedraw(false);
    const QImage before = Fill(false);
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(50, 50));
    picture->clearFocus();
    picture->setFocus();
    picture->update();
    ASSERT_EQ(Shot(), before);
    const QRect uncovered(50, 50, 40, 40),
        device(uncovered.topLeft() * dpr, uncovered.size() * dpr);
    QExposeEvent expose(uncovered.translated(picture->mapTo(&form, QPoint(0, 0))));
    QCoreApplication::sendEvent(form.windowHandle(), &expose);
    picture->update();
    const QImage after = Shot();
    for (int y = Edge(0); y <= Edge(6000); ++y)
        for (int x = Edge(0); x <= Edge(6000); ++x)
            ASSERT_EQ(after.pixel(x, y),
                      (device.contains(x, y) ? picture->RetainedImage() : before).pixel(x, y));

    form.SetAutoRedraw(true);
    form.DrawSolidBox(0, 0, 200, 200, 12);
    EXPECT_EQ(Shot().pixel(Edge(3000), Edge(3100)), Black) << "retained drawing";
    form.SetAutoRedraw(false);
    Fill(false);
    QWindowStateChangeEvent restored(Qt::WindowMinimized);
    QCoreApplication::sendEvent(&form, &restored);
    EXPECT_EQ(Shot().pixel(Edge(3000), Edge(3100)), Black) << "restored";
}

}  // namespace
}  // namespace dyeland::test
