// The board box: paints the game's board, cell by cell, into the picture it keeps for every
// repaint or onto the screen only, and shows it.
#pragma once

#include <QImage>
#include <QRegion>
#include <QRgb>
#include <QWidget>

namespace dyeland {

struct Grid;

class BoardPicture : public QWidget {
    Q_OBJECT
public:
    static constexpr QRgb Background = 0xFF008000;
    // The picture measures in board units, twips: 1440 to the inch, so 15 to a pixel at 96 dots
    // per inch. A cell is CellUnits on a side, and the board's corner lies OriginUnits right of
    // and below the drawing area's corner.
    static constexpr int CellUnits = 200;
    static constexpr int OriginUnits = 200;
    static constexpr int UnitsPerPixel = 15;

    explicit BoardPicture(QWidget* parent);
    QSize sizeHint() const override { return {433, 433}; }

    // Paints every cell in its palette colour, outlined in black with grid lines. Kept, the
    // board goes into the retained image that every repaint shows; otherwise it reaches the
    // screen only, until the system next repaints the box.
    void ShowBoard(const Grid& colours, bool gridLines, bool kept);

    // The system repaints the whole box (the window came back from being minimised): a board
    // shown but not kept is gone.
    void RepaintFromRetained();
    // One of the program's own menus or tooltips closed (global pixels). The window system
    // exposes the place it covered, and there, as under a menu that saved what lay beneath it,
    // a board shown but not kept stays.
    void PopupClosed(const QRect& where);

    // Both images cover the whole widget at device resolution, once something was drawn: until
    // then they are null and the box shows its background.
    const QImage& RetainedImage() const { return retained_; }
    const QImage& ShownImage() const { return screenDiffers_ ? screen_ : retained_; }
    // Device pixel of a board coordinate, counted from the widget's corner.
    int Edge(int units) const;

protected:
    void paintEvent(QPaintEvent* event) override;
    // The box shows no sign of focus, so taking or losing it repaints nothing.
    void focusInEvent(QFocusEvent*) override {}
    void focusOutEvent(QFocusEvent*) override {}
    void showEvent(QShowEvent* event) override;
    // Watches the exposes of the board's own window.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void MatchDevicePixelRatio();
    // The image a board goes to: the retained one, or the screen's.
    QImage& Target(bool kept);
    // The image, made and filled with the background if it is not there yet.
    QImage& Made(QImage& image) const;
    void FillDevice(QImage& image, int left, int top, int right, int bottom, QRgb colour) const;
    void RestoreRegion(const QRegion& region);
    void RequestRepaint();

    QImage retained_;
    QImage screen_;  // a board shown but not kept, over retained_
    qreal dpr_ = 0;
    QSize deviceSize_;    // the widget in device pixels
    QRect area_;          // drawing area inside the border, device pixels
    QRegion popupsGone_;  // where our own closed popups will be exposed, widget pixels
    bool screenDiffers_ = false;
    bool repaintRequested_ = false;
};

}  // namespace dyeland
