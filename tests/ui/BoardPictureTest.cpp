// The board box: cells and grid lines on whole device pixels, the board it keeps against one it
// only showed, and what the screen shows after the game's moves. CTest runs it once more on a
// screen scaled by two.
#include <gtest/gtest.h>

#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <cmath>
#include <set>

#include "Table.h"
#include "WindowTestSupport.h"
#include "board/BoardPicture.h"
#include "windows/MainWindow.h"

namespace dyeland::test {
namespace {

constexpr QRgb Black = 0xFF000000, Red = 0xFFFF0000;

// The window, shown and exposed: a late first expose would bring the retained image back over
// the whole box in the middle of a test.
struct Board : AWindow {
    BoardPicture* picture = Control<BoardPicture>(form, "Picture1");
    int dpr = 1;
    void SetUp() override {
        form.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
        dpr = static_cast<int>(form.devicePixelRatioF());
    }
    // The offscreen screen is too small for the doubled window: there the box is painted anew.
    QImage Shot() const {
        return picture->devicePixelRatioF() == 1 ? OnScreen(*picture) : picture->grab().toImage();
    }
    // A board of one colour, with or without lines, kept or only shown.
    QImage Fill(bool grid, bool kept = true) {
        Grid red;
        red.Fill(12);
        picture->ShowBoard(red, grid, kept);
        return Shot();
    }
    // Every device pixel of the drawing area against want(x, y).
    template <typename Want>
    void Each(const QImage& image, Want want) const {
        for (int y = Edge(0); y <= Edge(6000); ++y)
            for (int x = Edge(0); x <= Edge(6000); ++x)
                ASSERT_EQ(image.pixel(x, y), want(x, y)) << x << "," << y << " at scale " << dpr;
    }
    // Device pixel of a board coordinate: the 2-pixel border, then one rounding from the drawing
    // area's corner, which lies at -200.
    int Edge(int units) const { return 2 * dpr + int(std::lround((units + 200) * dpr / 15.0)); }
};

// Each line is one device pixel on a cell's first pixel; without lines a board of one colour is
// one flat area up to its right and bottom edge, with no line left from before.
TEST_F(Board, EachGridLineIsOneDevicePixelBetweenSeamlessCells) {
    std::set<int> lines;
    for (int k = 0; k <= 30; ++k)
        lines.insert(Edge(200 * k));
    for (bool grid : {true, false, true})
        Each(Fill(grid), [&](int x, int y) {
            return grid && (lines.count(x) || lines.count(y)) ? Black : Red;
        });
}

// A drawing that only reached the screen outlasts a click and Qt's own repaints; the window's
// expose of a part brings the retained image back there and only there.
TEST_F(Board, WhatOnlyReachedTheScreenStaysUntilThatPartIsUncovered) {
    Fill(true);  // the lines stay in the retained image, not on the screen
    const QImage before = Fill(false, false);
    QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(50, 50));
    picture->update();
    ASSERT_EQ(Shot(), before);
    const QRect uncovered(50, 50, 40, 40), device(50 * dpr, 50 * dpr, 40 * dpr, 40 * dpr);
    QExposeEvent expose(uncovered.translated(picture->mapTo(&form, QPoint(0, 0))));
    QCoreApplication::sendEvent(form.windowHandle(), &expose);
    picture->update();
    Each(Shot(), [&](int x, int y) {
        return (device.contains(x, y) ? picture->RetainedImage() : before).pixel(x, y);
    });
}

// The winning pick is drawn on the screen only, and the screen shows it behind the question.
TEST_F(Board, TheWinningPickShowsBehindTheQuestion) {
    form.game.NewGame();
    const int pick = s.computerColour == FirstColour ? FirstColour + 1 : FirstColour;
    for (int i = 0; i < CellCount; ++i)
        if (s.computerMarks.cells[i] != Marked)
            s.colours.cells[i] = static_cast<std::int16_t>(pick);
    int wrong = -1;
    QTimer::singleShot(0, [&] {
        const QImage shot = Shot();
        wrong = 0;
        for (int y = 0; y < BoardSide; ++y)
            for (int x = 0; x < BoardSide; ++x)
                wrong += shot.pixel(picture->Edge(x * BoardPicture::CellUnits + 100),
                                    picture->Edge(y * BoardPicture::CellUnits + 100)) !=
                         (PaletteRgb(s.colours(x, y)) | Black);
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Y);
    });
    form.game.PickColour(pick - FirstColour);
    EXPECT_EQ(wrong, 0) << "cells not showing their colour";
}

// A refused pick leaves the drawing on the screen only: Line then takes the outlines off the
// screen at once, and a repaint from the retained image brings them back.
TEST_F(Board, LineAfterARefusedPickReachesTheScreenOnly) {
    auto outlined = [&] { return Shot().pixel(picture->Edge(3000), picture->Edge(3100)) == Black; };
    form.game.NewGame();
    form.game.PickColour(s.computerColour - FirstColour);
    ASSERT_TRUE(outlined());
    form.game.ToggleGridLines();
    EXPECT_FALSE(outlined());
    QWindowStateChangeEvent restored(Qt::WindowMinimized);
    QCoreApplication::sendEvent(&form, &restored);
    EXPECT_TRUE(outlined());
}

}  // namespace
}  // namespace dyeland::test
