// The board box's two images and its pixel-exact box drawing.
//
// The retained image is what AutoRedraw keeps; the screen image is the retained image with the
// drawing done while AutoRedraw was off laid over it. A repaint the box asked for itself shows
// whichever is current; any other repaint comes from the system (the box was shown again, a
// window over it went away, the window was restored) and brings the retained image back in the
// region it covers.
#include "BoardPicture.h"

#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <utility>

#include "Controls.h"
#include "Twips.h"

namespace dyeland {

BoardPicture::BoardPicture(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeHint());
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    MatchDevicePixelRatio();
}

int BoardPicture::Edge(int units) const {
    return origin_ + static_cast<int>(std::lround(units * dpr_ / TwipsPerPixel));
}

// Images at the screen's own resolution, so a scaled screen gets crisp cells rather than
// enlarged ones. When the ratio changes the old content is carried over pixel for pixel until
// the next drawing pass renders it sharp again.
void BoardPicture::MatchDevicePixelRatio() {
    const qreal dpr = devicePixelRatioF();
    if (dpr == dpr_ && !retained_.isNull()) return;
    const QSize deviceSize(static_cast<int>(std::ceil(width() * dpr)),
                           static_cast<int>(std::ceil(height() * dpr)));
    auto rebuild = [&](QImage& image) {
        QImage fresh;
        if (image.isNull()) {
            fresh = QImage(deviceSize, QImage::Format_RGB32);
            fresh.fill(Background);
        } else {
            fresh = image.scaled(deviceSize, Qt::IgnoreAspectRatio, Qt::FastTransformation)
                        .convertToFormat(QImage::Format_RGB32);
        }
        fresh.setDevicePixelRatio(dpr);
        image = std::move(fresh);
    };
    rebuild(retained_);
    rebuild(screen_);
    dpr_ = dpr;
    const int border = static_cast<int>(std::lround(SunkenBorderWidth * dpr));
    area_ = QRect(QPoint(border, border), deviceSize).adjusted(0, 0, -2 * border, -2 * border);
    origin_ = border + static_cast<int>(std::lround(OriginUnits * dpr / TwipsPerPixel));
}

QImage& BoardPicture::Target() {
    if (autoRedraw_) {
        // The screen is refreshed from the retained image, so direct drawing there is gone.
        screenDiffers_ = false;
        return retained_;
    }
    if (!screenDiffers_) {
        std::memcpy(screen_.bits(), retained_.constBits(), retained_.sizeInBytes());
        screenDiffers_ = true;
    }
    return screen_;
}

// Fills [left, right) × [top, bottom) in device pixels, clipped to the drawing area. Straight
// into the scanlines: a drawing pass is 1800 boxes, and a painter per box would dominate it.
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

void BoardPicture::DrawSolidBox(int x1, int y1, int x2, int y2, QRgb colour) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    FillDevice(Target(), Edge(x1), Edge(y1), Edge(x2), Edge(y2), colour | 0xFF000000);
    RequestRepaint();
}

void BoardPicture::DrawOutlineBox(int x1, int y1, int x2, int y2, QRgb colour) {
    if (x1 > x2) std::swap(x1, x2);
    if (y1 > y2) std::swap(y1, y2);
    QImage& image = Target();
    const int left = Edge(x1), top = Edge(y1), right = Edge(x2), bottom = Edge(y2);
    colour |= 0xFF000000;
    FillDevice(image, left, top, right + 1, top + 1, colour);
    FillDevice(image, left, bottom, right + 1, bottom + 1, colour);
    FillDevice(image, left, top, left + 1, bottom + 1, colour);
    FillDevice(image, right, top, right + 1, bottom + 1, colour);
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

void BoardPicture::paintEvent(QPaintEvent* event) {
    MatchDevicePixelRatio();
    if (!repaintRequested_) RestoreRegion(event->region());
    repaintRequested_ = false;

    QPainter painter(this);
    painter.drawImage(QPointF(0, 0), ShownImage());
    DrawSunkenBorder(painter, rect());
}

}  // namespace dyeland
