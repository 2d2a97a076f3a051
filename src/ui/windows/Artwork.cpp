// The logo and the window icon, painted with whole blocks so no edge falls between pixels.
#include "windows/Artwork.h"

#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleFactory>
#include <array>
#include <memory>
#include <string_view>

#include "game/Board.h"

namespace dyeland {
namespace {

QColor PaletteColour(int index) {
    return QColor::fromRgb(PaletteRgb(index));
}

struct Glyph {
    int colour;                            // palette index
    std::array<std::string_view, 8> rows;  // '#' is a block; rows 2..6 are the lower-case body
};

// The letters are in the palette's darker colours, the ones that read well on the light window
// (at least 4.5 : 1). Seven letters of 4 blocks (the "l" of 1) with a block between letters: 31
// blocks of 3 px fill the 93 px exactly.
constexpr int Block = 3;
constexpr std::array<Glyph, 7> Word = {{
    {9, {"###.", "#..#", "#..#", "#..#", "#..#", "#..#", "###.", "...."}},
    {4, {"....", "....", "#..#", "#..#", "#..#", ".###", "...#", "###."}},
    {1, {"....", "....", ".##.", "#..#", "####", "#...", ".###", "...."}},
    {5, {"#", "#", "#", "#", "#", "#", "#", "."}},
    {9, {"....", "....", ".##.", "...#", ".###", "#..#", ".###", "...."}},
    {4, {"....", "....", "###.", "#..#", "#..#", "#..#", "#..#", "...."}},
    {1, {"...#", "...#", ".###", "#..#", "#..#", "#..#", ".###", "...."}},
}};

void PaintLogo(QPainter& painter) {
    int left = 0;
    for (const Glyph& glyph : Word) {
        const int columns = static_cast<int>(glyph.rows[0].size());
        for (int row = 0; row < static_cast<int>(glyph.rows.size()); ++row) {
            for (int column = 0; column < columns; ++column) {
                if (glyph.rows[row][column] != '#') continue;
                painter.fillRect(QRect(left + column * Block, row * Block, Block, Block),
                                 PaletteColour(glyph.colour));
            }
        }
        left += (columns + 1) * Block;
    }
    // The eight colours of the game as swatches along the bottom, edges on whole pixels.
    constexpr int stripTop = 28;
    for (int k = 0; k < 8; ++k) {
        const int x1 = k * LogoImage::Width / 8;
        const int x2 = (k + 1) * LogoImage::Width / 8 - 1;
        painter.fillRect(QRect(x1, stripTop, x2 - x1, LogoImage::Height - stripTop),
                         PaletteColour(FirstColour + k));
    }
}

QPixmap IconPixmap(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    // Drawn on a 32-unit grid and scaled, so each size keeps the same design.
    painter.scale(size / 32.0, size / 32.0);
    painter.fillRect(QRectF(0, 0, 16, 16), PaletteColour(14));
    painter.fillRect(QRectF(16, 0, 16, 16), PaletteColour(12));
    painter.fillRect(QRectF(0, 16, 16, 16), PaletteColour(9));
    painter.fillRect(QRectF(16, 16, 16, 16), PaletteColour(14));
    const QColor green = PaletteColour(10);
    for (int inset = 2; inset <= 14; inset += 4) {
        const double side = 32 - 2 * inset;
        const QRectF square(inset, inset, side, side);
        painter.fillRect(QRectF(square.left(), square.top(), side, 1), green);
        painter.fillRect(QRectF(square.left(), square.bottom() - 1, side, 1), green);
        painter.fillRect(QRectF(square.left(), square.top(), 1, side), green);
        painter.fillRect(QRectF(square.right() - 1, square.top(), 1, side), green);
    }
    return pixmap;
}

}  // namespace

LogoImage::LogoImage(QWidget* parent) : QWidget(parent) {
    setFixedSize(Width, Height);
    setAccessibleName("Dyeland logo");
    setAccessibleDescription("The word Dyeland in coloured blocks");
}

void LogoImage::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    PaintLogo(painter);
}

// Fusion's own palette is light whatever the desktop's, and Fusion ships with every Qt.
QPalette ClassicPalette() {
    static const QPalette palette =
        std::unique_ptr<QStyle>(QStyleFactory::create("Fusion"))->standardPalette();
    return palette;
}

QIcon WindowIcon() {
    QIcon icon;
    for (int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addPixmap(IconPixmap(size));
    return icon;
}

}  // namespace dyeland
