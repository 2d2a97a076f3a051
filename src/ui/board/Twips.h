// The unit the window layouts are drawn up in: twips, 1440 to the inch, so 15 to a pixel at
// 96 dots per inch. Every position and size of Form1, Form3 and frmAbout is given in twips.
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
