// Text in a place that cannot grow: a desktop font too large for a label's fixed place is made
// smaller for that label, half a point at a time, never below a size that can still be read.
#pragma once

#include <QFont>
#include <QLabel>

namespace dyeland {

inline constexpr qreal SmallestFittedPoints = 6;

// Shrinks the label's font until fits() says its text fits, or down to the smallest size.
template <typename Fits>
void ShrinkFontUntil(QLabel& label, Fits fits) {
    QFont font = label.font();
    while (!fits() && font.pointSizeF() > SmallestFittedPoints) {
        font.setPointSizeF(font.pointSizeF() - 0.5);
        label.setFont(font);
    }
}

}  // namespace dyeland
