// The board box: whole-pixel cells and grid lines, the first drawing before any game, and the
// retained image that AutoRedraw selects against what only reached the screen.
#include <gtest/gtest.h>

#include <QTest>
#include <cmath>
#include <set>

#include "BoardPicture.h"
#include "Form1.h"
#include "window_test_support.h"

namespace dyeland::test {
namespace {

constexpr QRgb Green = 0xFF008000, Black = 0xFF000000, Red = 0xFFFF0000, Blue = 0xFF0000FF;

// Widget pixel of a board coordinate at 96 dpi: a 2-pixel border, then one rounding from the
// drawing area's corner, which lies at -200.
int EdgePx(int units) {
    return 2 + static_cast<int>(std::lround((units + 200) / 15.0));
}
QPoint CellMiddle(int x, int y) {
    return {EdgePx(200 * x) + 6, EdgePx(200 * y) + 6};
}

struct ShownBoard : testing::Test {
    ShownBoard() {
        form.show();
        LetPaintsHappen();
    }
    void DrawCell(int x, int y, int colour, bool retained) {
        form.SetAutoRedraw(retained);
        form.DrawSolidBox(200 * x, 200 * y, 200 * x + 200, 200 * y + 200, colour);
    }
    QImage Board(int colour, bool grid) {
        form.game.state.Colors.Fill(static_cast<std::int16_t>(colour));
        form.game.state.ShowGrid = grid;
        form.game.DrawBoard();
        LetPaintsHappen();
        return OnScreen(*picture);
    }
    QRgb Shown(int x, int y) {
        LetPaintsHappen();
        return OnScreen(*picture).pixel(CellMiddle(x, y));
    }
    Form1 form;
    BoardPicture* picture = form.findChild<BoardPicture*>("Picture1");
};

// Green until drawn; the first Line toggle paints all 900 cells black since Colors is all 0.
TEST_F(ShownBoard, GreenUntilDrawnThenBlackBeforeTheFirstGame) {
    EXPECT_EQ(OnScreen(*picture).pixel(EdgePx(3000), EdgePx(3000)), Green);
    form.game.DrawBoard();
    LetPaintsHappen();
    const QImage screen = OnScreen(*picture);
    for (int y = EdgePx(0); y <= EdgePx(6000); ++y)
        for (int x = EdgePx(0); x <= EdgePx(6000); ++x)
            ASSERT_EQ(screen.pixel(x, y), Black);
    EXPECT_EQ(screen.pixel(EdgePx(0) - 1, EdgePx(0) - 1), Green);
    EXPECT_EQ(screen.pixel(EdgePx(6000) + 1, EdgePx(6000) + 1), Green);
}

// Cells are 13 or 14 pixels; each line sits on a cell's first pixel and is one pixel wide.
// Without lines a board of one colour is one flat area, up to its right and bottom edge.
TEST_F(ShownBoard, GridLinesAreOnePixelAndCellsMeetWithoutSeams) {
    const QImage grid = Board(12, true);
    std::set<int> lines;
    for (int k = 0; k <= 30; ++k)
        lines.insert(EdgePx(200 * k));
    for (int i = EdgePx(0); i <= EdgePx(6000); ++i) {
        const QRgb want = lines.count(i) ? Black : Red;
        ASSERT_EQ(grid.pixel(i, EdgePx(100)), want) << "column " << i;
        ASSERT_EQ(grid.pixel(EdgePx(100), i), want) << "row " << i;
    }
    const QImage plain = Board(12, false);
    for (int y = EdgePx(0); y <= EdgePx(6000); ++y)
        for (int x = EdgePx(0); x <= EdgePx(6000); ++x)
            ASSERT_EQ(plain.pixel(x, y), Red);
}

// Grid retained, none on the screen: a click, the focus leaving and coming back and Qt's own
// repaints change no pixel; the window's expose of a part brings the retained image back there
// and only there.
TEST_F(ShownBoard, OnlyUncoveringShowsTheRetainedImage) {
    Board(12, true);
    form.SetAutoRedraw(false);
    const QImage before = Board(12, false);
    QTest::mouseClick(picture, Qt::LeftButton, {}, CellMiddle(3, 3));
    picture->clearFocus();
    picture->setFocus();
    picture->update();
    LetPaintsHappen();
    ASSERT_EQ(OnScreen(*picture), before);

    const QRect uncovered(CellMiddle(3, 3), QSize(40, 40));
    QExposeEvent expose(uncovered.translated(picture->mapTo(&form, QPoint(0, 0))));
    QCoreApplication::sendEvent(form.windowHandle(), &expose);
    LetPaintsHappen();
    const QImage after = OnScreen(*picture);
    for (int y = EdgePx(0); y <= EdgePx(6000); ++y)
        for (int x = EdgePx(0); x <= EdgePx(6000); ++x)
            ASSERT_EQ(after.pixel(x, y),
                      (uncovered.contains(x, y) ? picture->RetainedImage() : before).pixel(x, y));
}

// A window restored from minimised, and any drawing with the switch on, show the retained
// image again where drawing with the switch off covered it.
TEST_F(ShownBoard, RestoringTheWindowOrRetainedDrawingBringsTheImageBack) {
    DrawCell(7, 7, 12, true);
    DrawCell(7, 7, 9, false);
    form.showMinimized();
    EXPECT_EQ(Shown(7, 7), Blue);
    form.showNormal();
    EXPECT_EQ(Shown(7, 7), Red);

    DrawCell(7, 7, 9, false);
    DrawCell(2, 2, 12, true);
    EXPECT_EQ(Shown(7, 7), Red);
}

}  // namespace
}  // namespace dyeland::test
