// The program's own pictures, drawn in code so that they stay sharp at any screen scale: the
// logo shown by the main window and the About box, and the window icon.
#pragma once

#include <QIcon>
#include <QPalette>
#include <QWidget>

namespace dyeland {

// The logo, 93 × 36 pixels on a transparent background: the word "Dyeland" built from small
// coloured blocks over a strip of the eight playable colours.
class LogoImage : public QWidget {
    Q_OBJECT
public:
    explicit LogoImage(QWidget* parent);
    QSize sizeHint() const override { return {Width, Height}; }

    static constexpr int Width = 93;
    static constexpr int Height = 36;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The light look the game's windows keep under any desktop theme: their fixed colours were
// chosen against it.
QPalette ClassicPalette();

// 32 × 32 at heart: yellow, red, blue and yellow quadrants under nested bright-green squares.
QIcon WindowIcon();

}  // namespace dyeland
