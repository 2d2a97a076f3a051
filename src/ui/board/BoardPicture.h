// The board box: draws boxes in board units (twips from the board's corner) and keeps
// the retained image that its AutoRedraw switch selects.
#pragma once

#include <QImage>
#include <QRegion>
#include <QRgb>
#include <QWidget>

namespace dyeland {

class BoardPicture : public QWidget {
    Q_OBJECT
public:
    static constexpr QRgb Background = 0xFF008000;
    // The board's corner lies this many units right of and below the drawing area's corner.
    static constexpr int OriginUnits = 200;
    // Board units are twips: 1440 to the inch, so 15 to a pixel at 96 dots per inch.
    static constexpr int UnitsPerPixel = 15;

    explicit BoardPicture(QWidget* parent);
    QSize sizeHint() const override { return {433, 433}; }

    // On: drawing goes into the retained image, which every repaint shows. Off: drawing
    // reaches the screen only, until the system next repaints the box.
    void SetAutoRedraw(bool on) { autoRedraw_ = on; }

    // Corners in board units; a solid box covers its interior and all four edge lines, an
    // outline box only the edge lines, one device pixel wide.
    void DrawSolidBox(int x1, int y1, int x2, int y2, QRgb colour);
    void DrawOutlineBox(int x1, int y1, int x2, int y2, QRgb colour);

    // The system repaints the whole box (the window came back from being minimised): what was
    // drawn with AutoRedraw off is gone.
    void RepaintFromRetained();
    // One of the program's own menus or tooltips closed (global pixels). The window system
    // exposes the place it covered, and there, as under a menu that saved what lay beneath it,
    // what was drawn with AutoRedraw off stays.
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
    // The image a drawing goes to, given the switch.
    QImage& Target();
    // The image, made and filled with the background if it is not there yet.
    QImage& Made(QImage& image) const;
    void FillDevice(QImage& image, int left, int top, int right, int bottom, QRgb colour) const;
    void RestoreRegion(const QRegion& region);
    void RequestRepaint();

    QImage retained_;
    QImage screen_;  // retained_ plus what was drawn with the switch off
    qreal dpr_ = 0;
    QSize deviceSize_;    // the widget in device pixels
    QRect area_;          // drawing area inside the border, device pixels
    QRegion popupsGone_;  // where our own closed popups will be exposed, widget pixels
    bool autoRedraw_ = false;
    bool screenDiffers_ = false;
    bool repaintRequested_ = false;
};

}  // namespace dyeland
