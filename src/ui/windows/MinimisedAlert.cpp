// The minimised alert. The blinking runs off a timer: each phase is one 500 ms interval during
// which the event loop is free, rather than thousands of event-processing passes. Between two
// phases nothing of the alert wakes the program: the main window's state is read only at the
// end of a phase, the one moment the alert can close.
#include "windows/MinimisedAlert.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include "desktop/OnScreen.h"
#include "windows/Artwork.h"
#include "windows/Twips.h"

namespace dyeland {
namespace {

// Qt has no colour role for the desktop; the alert stands on this teal whatever the theme.
constexpr QRgb DesktopColour = 0x008080;

// The blinking label. Shaping and drawing 24-point text took a good part of each blink's
// cost while the game sat minimised, so the text is drawn once, opaque on the alert's colour,
// and each later show only copies it.
class AlertLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        const qreal dpr = devicePixelRatioF();
        if (text_.isNull() || text_.devicePixelRatio() != dpr ||
            text_.deviceIndependentSize() != QSizeF(size())) {
            text_ = QPixmap(size() * dpr);
            text_.setDevicePixelRatio(dpr);
            text_.fill(palette().color(backgroundRole()));
            QPainter painter(&text_);
            painter.setFont(font());
            style()->drawItemText(&painter, contentsRect(),
                                  QStyle::visualAlignment(layoutDirection(), alignment()),
                                  palette(), isEnabled(), text(), foregroundRole());
        }
        QPainter(this).drawPixmap(0, 0, text_);
    }
    void changeEvent(QEvent* event) override {
        // The text itself never changes; its look can.
        text_ = QPixmap();
        QLabel::changeEvent(event);
    }

private:
    QPixmap text_;
};

}  // namespace

// Kept from the window manager. Qt makes a tool window without a parent transient for the
// program's hidden group leader, and KWin then minimises it along with the game; unmanaged, it
// shows under every window manager and never enters the taskbar.
MinimisedAlert::MinimisedAlert(const QWidget& mainWindow)
    : QWidget(nullptr, Qt::Tool | Qt::FramelessWindowHint | Qt::X11BypassWindowManagerHint),
      mainWindow_(mainWindow) {
    setObjectName("Form3");
    setWindowTitle("Form3");
    // The title is never shown on this frameless window; a screen reader names it by its purpose.
    setAccessibleName("Dyeland is minimised");
    setAccessibleDescription("Shown while the Dyeland window is minimised");
    // The alert must not take the keyboard from whatever the user is doing meanwhile.
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_QuitOnClose, false);
    setGeometry(TwipsRect(12270, 975, 1725, 540));
    setFixedSize(size());
    // A pale yellow of its own: a dark theme's tooltip colour would vanish into the teal.
    QPalette palette = ClassicPalette();
    palette.setColor(QPalette::Window, QColor::fromRgb(DesktopColour));
    palette.setColor(QPalette::WindowText, palette.color(QPalette::ToolTipBase));
    setPalette(palette);
    setAutoFillBackground(true);

    label_ = new AlertLabel("Atas...!", this);
    // Its drawing covers it whole, so nothing of the alert is painted beneath it first.
    label_->setAttribute(Qt::WA_OpaquePaintEvent);
    label_->setObjectName("Label1");
    label_->setGeometry(TwipsRect(120, 0, 3135, 615));
    QFont font("MS Sans Serif");
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(24);
    font.setWeight(QFont::Normal);
    label_->setFont(font);
    label_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A blink changes only the text's pixels, so only they are repainted and sent to the screen.
    const QFontMetrics metrics = label_->fontMetrics();
    const QPoint baseline = label_->contentsRect().topLeft() + QPoint(0, metrics.ascent());
    label_->setMask(
        metrics.tightBoundingRect(label_->text()).translated(baseline).adjusted(-2, -2, 2, 2));
    label_->setAccessibleDescription("Restore the Dyeland window to go on playing");
    // MS Sans Serif is rarely installed, and the font that stands in for it can be wider than the
    // one the alert was sized for: the alert widens to its text, so its edge cuts no glyph.
    const int textRight =
        label_->x() + metrics.boundingRect(label_->text()).translated(baseline).right() + 3;
    if (textRight > width()) setFixedWidth(textRight);
    KeepOnScreen(this);

    // Outside the window: the mouse cannot reach it, the keyboard can.
    startButton_ = new QPushButton("Command1", this);
    startButton_->setObjectName("Command1");
    startButton_->setGeometry(TwipsRect(2040, 960, 1575, 315));
    startButton_->setAccessibleDescription("Not shown on screen: starts the blinking");
    connect(startButton_, &QPushButton::clicked, this, &MinimisedAlert::StartBlinking);

    startDelay_ = new QTimer(this);
    startDelay_->setObjectName("Timer1");
    startDelay_->setInterval(100);
    // Once per alert: the blinking, once started, goes on by itself.
    startDelay_->setSingleShot(true);
    connect(startDelay_, &QTimer::timeout, this, &MinimisedAlert::StartDelayEnded);

    phaseTimer_ = new QTimer(this);
    phaseTimer_->setObjectName("BlinkPhase");
    phaseTimer_->setInterval(PhaseMs);
    connect(phaseTimer_, &QTimer::timeout, this, &MinimisedAlert::BlinkPhaseEnded);
}

void MinimisedAlert::Load() {
    label_->setVisible(true);
    startDelay_->start();
    loaded_ = true;
}

void MinimisedAlert::Unload() {
    startDelay_->stop();
    phaseTimer_->stop();
    blinking_ = false;
    loaded_ = false;
}

void MinimisedAlert::ShowAlert() {
    if (!loaded_) Load();
    show();
}

void MinimisedAlert::StartDelayEnded() {
    StartBlinking();
}

void MinimisedAlert::StartBlinking() {
    if (blinking_ || !loaded_) return;
    blinking_ = true;
    phaseTimer_->start();
}

void MinimisedAlert::BlinkPhaseEnded() {
    if (!blinking_) return;
    if (blinkState_ == 1) {
        blinkState_ = 0;
        label_->setVisible(true);
    } else {
        blinkState_ = 1;
        label_->setVisible(false);
    }
    // Only at the end of a phase: after a restore the alert stays up for the rest of it.
    if (mainWindow_.isMinimized()) return;
    close();
}

void MinimisedAlert::closeEvent(QCloseEvent* event) {
    Unload();
    QWidget::closeEvent(event);
}

}  // namespace dyeland
