// Moving a window that would stick out of the screen's free area back inside it.
#include "desktop/OnScreen.h"

#include <QEvent>
#include <QScreen>
#include <QWidget>
#include <QWindow>

namespace dyeland {
namespace {

// The frame round a window is known only once the window manager has framed it, which it has
// done by the window's first exposure. Then the whole frame is fitted, once.
class FrameFitter : public QObject {
public:
    explicit FrameFitter(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        QWindow* handle = window_->windowHandle();
        if (watched == window_ && event->type() == QEvent::Show && handle) {
            window_->removeEventFilter(this);
            handle->installEventFilter(this);
        } else if (watched == handle && event->type() == QEvent::Expose && handle->isExposed()) {
            handle->removeEventFilter(this);
            QRect frame = window_->frameGeometry();
            const QRect available = window_->screen()->availableGeometry();
            // A window the user may resize is also made small enough to fit.
            if (window_->minimumSize() != window_->maximumSize() &&
                available.size().expandedTo(frame.size()) != available.size()) {
                const QSize size = window_->size();
                window_->resize(size.boundedTo(size - (frame.size() - available.size())));
                frame.setSize(frame.size() - (size - window_->size()));
            }
            const QRect fitted = FitOnScreen(frame, available);
            if (fitted != frame) window_->move(fitted.topLeft());
        }
        return false;
    }

private:
    QWidget* window_;
};

// A window that cannot grow, maximised, only moves to the screen's corner. Window managers on X11
// offer no maximise for it, but the title bar Qt draws itself on Wayland does (a button, or a
// double click on the title), so such a maximise is undone at once.
class StaysUnmaximised : public QObject {
public:
    explicit StaysUnmaximised(QWidget* window) : QObject(window), window_(window) {
        window->installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == window_ && event->type() == QEvent::WindowStateChange &&
            window_->windowState().testFlag(Qt::WindowMaximized)) {
            window_->setWindowState(window_->windowState() & ~Qt::WindowMaximized);
        }
        return false;
    }

private:
    QWidget* window_;
};

}  // namespace

void KeepOnScreen(QWidget* window) {
    // A window the window manager places is left to it until it has a frame.
    if (window->testAttribute(Qt::WA_Moved))
        window->setGeometry(FitOnScreen(window->geometry(), window->screen()->availableGeometry()));
    new FrameFitter(window);
    if (window->minimumSize() == window->maximumSize()) new StaysUnmaximised(window);
}

}  // namespace dyeland
