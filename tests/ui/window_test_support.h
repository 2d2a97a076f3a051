// Helpers shared by the window tests: controls by name, and the pixels the screen holds.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QScreen>
#include <QWidget>

namespace dyeland::test {

template <typename T = QWidget>
T* Control(const QWidget& parent, const char* name) {
    T* found = parent.findChild<T*>(name);
    EXPECT_NE(found, nullptr) << name;
    return found;
}

// What the window system holds for a widget, without painting it anew as grab() would.
inline QImage OnScreen(const QWidget& widget) {
    const QWidget* window = widget.window();
    const QPoint at = widget.mapTo(window, QPoint(0, 0));
    return window->screen()
        ->grabWindow(window->winId(), at.x(), at.y(), widget.width(), widget.height())
        .toImage()
        .convertToFormat(QImage::Format_RGB32);
}

inline void LetPaintsHappen() {
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

}  // namespace dyeland::test
