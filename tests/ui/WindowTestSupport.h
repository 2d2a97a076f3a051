// Helpers shared by the window tests: a window to test, controls by name, and the pixels the
// screen holds.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>

#include "files/WorkingDirFiles.h"
#include "game/Sources.h"
#include "windows/MainWindow.h"

namespace dyeland::test {

// A test on a main window, built on deals from a fixed seed with no time waited, so a failure
// repeats, and on the score file in the test's folder.
struct AWindow : ::testing::Test {
    StandardSources sources{1, 0};
    WorkingDirFiles files;
    MainWindow form{sources, files};
    GameState& s = form.game.ArrangeForTest();
};

template <typename T = QWidget>
T* Control(const QWidget& parent, const char* name) {
    return parent.findChild<T*>(name);
}

// What the window system holds for a widget once pending paints are done, without painting it
// anew as grab() would.
inline QImage OnScreen(const QWidget& widget) {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
    const QWidget* window = widget.window();
    const QPoint at = widget.mapTo(window, QPoint(0, 0));
    return window->screen()
        ->grabWindow(window->winId(), at.x(), at.y(), widget.width(), widget.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

}  // namespace dyeland::test
