// The small controls around the board that plain Qt widgets do not quite match: the colour boxes,
// the labels that show the game's values, and the sunken border the board and boxes wear.
#pragma once

#include <QLabel>
#include <QRgb>
#include <QWidget>
#include <functional>

class QPainter;

namespace dyeland {

// The classic 3-D border of a picture box, two pixels deep, drawn inside rect.
inline constexpr int SunkenBorderWidth = 2;
void DrawSunkenBorder(QPainter& painter, const QRect& rect);

// One colour box under the board: a solid colour that reports a left click. Tab reaches it, and
// Space or Enter on it counts as a click, as does a screen reader's press.
class ColourBox : public QWidget {
    Q_OBJECT
public:
    ColourBox(QRgb colour, QWidget* parent);
    void Press() { emit clicked(); }

    // What a screen reader adds to the name ("taken by the computer"), worked out each time it
    // reads it.
    std::function<QString()> spokenState;

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QRgb colour_;
    bool pressed_ = false;
};

// A label showing a value the game writes (a count, a score). A screen reader finds it by the
// accessible name of its role, reads the caption as its value and text, and hears of each new
// caption.
class ValueLabel : public QLabel {
    Q_OBJECT
public:
    ValueLabel(const QString& caption, QWidget* parent);
    void SetValue(const QString& caption);
};

}  // namespace dyeland
