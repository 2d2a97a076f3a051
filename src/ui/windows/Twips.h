// The unit the window layouts are drawn up in: twips, 1440 to the inch, so 15 to a pixel at
// 96 dots per inch. Every position and size in the main window, the alert and the About box is
// given in twips.
#pragma once

#include <QPoint>
#include <QRect>

namespace dyeland {

inline constexpr int TwipsPerPixel = 15;

constexpr int Px(int twips) {
    return (twips + TwipsPerPixel / 2) / TwipsPerPixel;
}

constexpr QRect TwipsRect(int left, int top, int width, int height) {
    return QRect(Px(left), Px(top), Px(width), Px(height));
}

}  // namespace dyeland
