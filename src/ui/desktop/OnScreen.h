// Keeping the game's windows on the screen: each opens at its own place, unless that would
// put part of it outside the screen's free area, as at a high scale or on a small screen; and a
// window that cannot grow is never left maximised.
#pragma once

#include <QRect>
#include <algorithm>

class QWidget;

namespace dyeland {

// Where a window whose outline is frame goes so that all of it lies inside available: up and
// left just as far as needed, and never so far that its top-left corner leaves the area. Not
// std::clamp: for a window larger than the area the upper bound lies below the lower one.
constexpr QRect FitOnScreen(const QRect& frame, const QRect& available) {
    const int x = std::max(std::min(frame.x(), available.x() + available.width() - frame.width()),
                           available.x());
    const int y = std::max(std::min(frame.y(), available.y() + available.height() - frame.height()),
                           available.y());
    return QRect(x, y, frame.width(), frame.height());
}

// Fits a window by its inside now, if it has a place of its own yet, and by its frame once the
// window manager has put one round it on its first showing. Call it once the window has its
// first place and size; a window of fixed size by then is also kept from being maximised.
void KeepOnScreen(QWidget* window);

}  // namespace dyeland
