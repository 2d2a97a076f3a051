// The small controls of the main window that plain Qt widgets do not quite match: command
// buttons that Enter presses, the colour pickers, and the sunken border the picture boxes wear.
#pragma once

#include <QPushButton>
#include <QRgb>
#include <QWidget>

class QPainter;

namespace dyeland {

// The classic 3-D border of a picture box, two pixels deep, drawn inside rect.
inline constexpr int SunkenBorderWidth = 2;
void DrawSunkenBorder(QPainter& painter, const QRect& rect);

// A focused button is pressed by Enter as well as by Space; Qt does the first only in dialogs.
class CommandButton : public QPushButton {
    Q_OBJECT
public:
    CommandButton(const QString& caption, QWidget* parent) : QPushButton(caption, parent) {}

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// One colour box under the board: a solid colour that reports a left click. Like any picture
// box it can hold the focus, but no key does anything on it.
class PickerBox : public QWidget {
    Q_OBJECT
public:
    PickerBox(QRgb colour, QWidget* parent);
    QRgb Colour() const { return colour_; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QRgb colour_;
    bool pressed_ = false;
};

}  // namespace dyeland
