// The board box's two images and its pixel-exact painting of the board.
//
// The retained image holds the board as last kept; the screen image is a board shown but not
// kept, painted over a copy of it. Every paint shows whichever is current, so Qt's own repaints
// (focus moving, a click on the box) change nothing. Only the system uncovering part of the
// window, or the window coming back from minimised, brings the retained image back, and only
// where it was uncovered.
#include "board/BoardPicture.h"

#include <QApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <cstring>

#include "board/Controls.h"
#include "game/Board.h"

namespace dyeland {

BoardPicture::BoardPicture(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeHint());
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    MatchDevicePixelRatio();
}

// The window system's handle of the window exists once it is shown.
void BoardPicture::showEvent(QShowEvent* event) {
    if (QWindow* handle = window()->windowHandle()) handle->installEventFilter(this);
    QWidget::showEvent(event);
}

void BoardPicture::PopupClosed(const QRect& where) {
    popupsGone_ += where.translated(-mapToGlobal(QPoint(0, 0))) & rect();
}

// One rounding from the drawing area's corner, where the board's scale starts at -OriginUnits:
// rounding the margin and the offset apart puts every third line a pixel off.
int BoardPicture::Edge(int units) const {
    return area_.left() +
           static_cast<int>(std::lround((units + OriginUnits) * dpr_ / UnitsPerPixel));
}

// Images at the screen's own resolution, so a scaled screen gets crisp cells rather than
// enlarged ones. When the ratio changes the old content is carried over pixel for pixel until
// the next drawing pass renders it sharp again.
void BoardPicture::MatchDevicePixelRatio() {
    const qreal dpr = devicePixelRatioF();
    if (dpr == dpr_) return;
    deviceSize_ = QSize(static_cast<int>(std::ceil(width() * dpr)),
                        static_cast<int>(std::ceil(height() * dpr)));
    for (QImage* image : {&retained_, &screen_}) {
        if (image->isNull()) continue;
        *image = image->scaled(deviceSize_, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                     .convertToFormat(QImage::Format_RGB32);
        image->setDevicePixelRatio(dpr);
    }
    dpr_ = dpr;
    const int border = static_cast<int>(std::lround(SunkenBorderWidth * dpr));
    area_ = QRect(QPoint(border, border), deviceSize_).adjusted(0, 0, -2 * border, -2 * border);
}

// The images are made when first drawn on: a start that draws nothing needs neither.
QImage& BoardPicture::Made(QImage& image) const {
    if (image.isNull()) {
        image = QImage(deviceSize_, QImage::Format_RGB32);
        image.fill(Background);
        image.setDevicePixelRatio(dpr_);
    }
    return image;
}

QImage& BoardPicture::Target(bool kept) {
    if (kept) {
        // The screen is refreshed from the retained image, so direct drawing there is gone.
        screenDiffers_ = false;
        return Made(retained_);
    }
    if (!screenDiffers_) {
        std::memcpy(Made(screen_).bits(), Made(retained_).constBits(), retained_.sizeInBytes());
        screenDiffers_ = true;
    }
    return screen_;
}

// Fills [left, right) × [top, bottom) in device pixels, clipped to the drawing area. Straight
// into the scanlines: a board is 1800 boxes, and a painter per box would dominate it.
void BoardPicture::FillDevice(QImage& image, int left, int top, int right, int bottom,
                              QRgb colour) const {
    left = std::max(left, area_.left());
    top = std::max(top, area_.top());
    right = std::min(right, area_.right() + 1);
    bottom = std::min(bottom, area_.bottom() + 1);
    if (left >= right || top >= bottom) return;
    uchar* bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    for (int y = top; y < bottom; ++y) {
        auto* line = reinterpret_cast<QRgb*>(bits + y * stride);
        std::fill(line + left, line + right, colour);
    }
}

// Leftmost column first, each from the bottom row up, so the top-right cell is painted last.
// A cell covers its own edge lines, which it shares with its neighbours, and its outline, one
// device pixel wide, paints them again over what the cells before it left.
void BoardPicture::ShowBoard(const Grid& colours, bool gridLines, bool kept) {
    QImage& image = Target(kept);
    constexpr QRgb Black = 0xFF000000;
    for (int x = 0; x < BoardSide; ++x) {
        for (int y = BoardSide - 1; y >= 0; --y) {
            const int left = Edge(CellUnits * x), top = Edge(CellUnits * y);
            const int right = Edge(CellUnits * (x + 1)), bottom = Edge(CellUnits * (y + 1));
            FillDevice(image, left, top, right + 1, bottom + 1, PaletteRgb(colours(x, y)) | Black);
            if (!gridLines) continue;
            FillDevice(image, left, top, right + 1, top + 1, Black);
            FillDevice(image, left, bottom, right + 1, bottom + 1, Black);
            FillDevice(image, left, top, left + 1, bottom + 1, Black);
            FillDevice(image, right, top, right + 1, bottom + 1, Black);
        }
    }
    RequestRepaint();
}

void BoardPicture::RequestRepaint() {
    if (repaintRequested_) return;
    repaintRequested_ = true;
    update();
}

void BoardPicture::RepaintFromRetained() {
    screenDiffers_ = false;
    repaintRequested_ = true;
    update();
}

void BoardPicture::RestoreRegion(const QRegion& region) {
    if (!screenDiffers_) return;
    if ((QRegion(rect()) - region).isEmpty()) {
        screenDiffers_ = false;
        return;
    }
    const int rowBytes = static_cast<int>(sizeof(QRgb));
    for (const QRect& logical : region) {
        // Outward to whole device pixels, so a partly covered pixel is restored too.
        const QRect device =
            QRect(QPoint(static_cast<int>(std::floor(logical.left() * dpr_)),
                         static_cast<int>(std::floor(logical.top() * dpr_))),
                  QPoint(static_cast<int>(std::ceil((logical.right() + 1) * dpr_)) - 1,
                         static_cast<int>(std::ceil((logical.bottom() + 1) * dpr_)) - 1))
                .intersected(screen_.rect());
        for (int y = device.top(); y <= device.bottom(); ++y) {
            std::memcpy(screen_.scanLine(y) + device.left() * rowBytes,
                        retained_.constScanLine(y) + device.left() * rowBytes,
                        static_cast<size_t>(device.width()) * rowBytes);
        }
    }
}

// Qt fills an uncovered part of the window from its own backing store without painting the
// widgets again, so the uncovering is seen only in the expose of the window. A menu or tooltip
// of our own closing over the board uncovers nothing: a board shown but not kept stays under
// it, as under a menu that saved what lay beneath, so its area is left out of the next expose.
bool BoardPicture::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::Expose && watched == window()->windowHandle()) {
        QT_WARNING_PUSH
        QT_WARNING_DISABLE_DEPRECATED
        const QRegion exposed = static_cast<QExposeEvent*>(event)->region();
        QT_WARNING_POP
        const QRegion here = exposed.translated(-mapTo(window(), QPoint(0, 0))) & rect();
        const QRegion uncovered = here - popupsGone_;
        // A popup that closed without an expose (a compositing window manager sends none) must
        // not hide a later real uncovering.
        popupsGone_ = QRegion();
        if (screenDiffers_) {
            RestoreRegion(uncovered);
            update(uncovered);
        }
    }
    return QWidget::eventFilter(watched, event);
}

void BoardPicture::paintEvent(QPaintEvent*) {
    MatchDevicePixelRatio();
    repaintRequested_ = false;

    QPainter painter(this);
    if (ShownImage().isNull())
        painter.fillRect(rect(), QColor::fromRgb(Background));
    else
        painter.drawImage(QPointF(0, 0), ShownImage());
    DrawSunkenBorder(painter, rect());
}

}  // namespace dyeland
