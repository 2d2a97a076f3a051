// Enter-pressable command buttons, the colour pickers and the sunken picture-box border.
#include "Controls.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace dyeland {

void DrawSunkenBorder(QPainter& painter, const QRect& rect) {
    // Outer ring grey above and left, white below and right; inner ring black and light grey:
    // the look of a sunken Windows picture box.
    const QRect outer = rect;
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    auto ring = [&painter](const QRect& r, QColor topLeft, QColor bottomRight) {
        painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    };
    ring(outer, QColor(0x80, 0x80, 0x80), QColor(0xFF, 0xFF, 0xFF));
    ring(inner, QColor(0x40, 0x40, 0x40), QColor(0xD4, 0xD0, 0xC8));
}

void CommandButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat() && isEnabled()) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

PickerBox::PickerBox(QRgb colour, QWidget* parent) : QWidget(parent), colour_(colour) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PickerBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(colour_));
    DrawSunkenBorder(painter, rect());
}

void PickerBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    QWidget::mousePressEvent(event);
}

// A click counts when the button comes up over the box it went down on.
void PickerBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = event->button() == Qt::LeftButton && pressed_ &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) pressed_ = false;
    QWidget::mouseReleaseEvent(event);
    if (click) emit clicked();
}

}  // namespace dyeland
