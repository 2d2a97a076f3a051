// The minimised alert. The blinking runs off a timer: each phase is one 500 ms interval during
// which the event loop is free, rather than thousands of event-processing passes. Between two
// phases nothing of the alert wakes the program: the main window's state is read only at the
// end of a phase, the one moment the alert can close.
#include "windows/Form3.h"

#include <QCloseEvent>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QStyle>
#include <QTimer>

#include "board/Twips.h"
#include "desktop/OnScreen.h"
#include "windows/Artwork.h"

namespace dyeland {
namespace {

// Qt has no colour role for the desktop; this is the classic Windows desktop teal.
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
Form3::Form3(const QWidget& mainWindow)
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
    KeepOnScreen(this);
    // The classic tooltip colour: a dark theme's would vanish into the teal.
    QPalette palette = ClassicPalette();
    palette.setColor(QPalette::Window, QColor::fromRgb(DesktopColour));
    palette.setColor(QPalette::WindowText, palette.color(QPalette::ToolTipBase));
    setPalette(palette);
    setAutoFillBackground(true);

    Label1_ = new AlertLabel("Atas...!", this);
    // Its drawing covers it whole, so nothing of the alert is painted beneath it first.
    Label1_->setAttribute(Qt::WA_OpaquePaintEvent);
    Label1_->setObjectName("Label1");
    Label1_->setGeometry(TwipsRect(120, 0, 3135, 615));
    QFont font("MS Sans Serif");
    font.setStyleHint(QFont::SansSerif);
    font.setPointSize(24);
    font.setWeight(QFont::Normal);
    Label1_->setFont(font);
    Label1_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    // A blink changes only the text's pixels, so only they are repainted and sent to the screen.
    const QFontMetrics metrics = Label1_->fontMetrics();
    const QPoint baseline = Label1_->contentsRect().topLeft() + QPoint(0, metrics.ascent());
    Label1_->setMask(
        metrics.tightBoundingRect(Label1_->text()).translated(baseline).adjusted(-2, -2, 2, 2));
    Label1_->setAccessibleDescription("Restore the Dyeland window to go on playing");

    // Outside the window: the mouse cannot reach it, the keyboard can.
    Command1_ = new QPushButton("Command1", this);
    Command1_->setObjectName("Command1");
    Command1_->setGeometry(TwipsRect(2040, 960, 1575, 315));
    Command1_->setAccessibleDescription("Not shown on screen: starts the blinking");
    connect(Command1_, &QPushButton::clicked, this, &Form3::Command1_Click);

    Timer1_ = new QTimer(this);
    Timer1_->setObjectName("Timer1");
    Timer1_->setInterval(100);
    // Once per alert: the blinking, once started, goes on by itself.
    Timer1_->setSingleShot(true);
    connect(Timer1_, &QTimer::timeout, this, &Form3::Timer1_Timer);

    phaseTimer_ = new QTimer(this);
    phaseTimer_->setObjectName("BlinkPhase");
    phaseTimer_->setInterval(PhaseMs);
    connect(phaseTimer_, &QTimer::timeout, this, &Form3::BlinkPhaseEnded);
}

void Form3::Load() {
    Label1_->setVisible(true);
    Timer1_->start();
    loaded_ = true;
}

void Form3::Unload() {
    Timer1_->stop();
    phaseTimer_->stop();
    blinking_ = false;
    loaded_ = false;
}

void Form3::ShowAlert() {
    if (!loaded_) Load();
    show();
}

void Form3::Timer1_Timer() {
    Command1_Click();
}

void Form3::Command1_Click() {
    if (blinking_ || !loaded_) return;
    blinking_ = true;
    phaseTimer_->start();
}

void Form3::BlinkPhaseEnded() {
    if (!blinking_) return;
    if (BlinkState == 1) {
        BlinkState = 0;
        Label1_->setVisible(true);
    } else {
        BlinkState = 1;
        Label1_->setVisible(false);
    }
    // Only at the end of a phase: after a restore the alert stays up for the rest of it.
    if (mainWindow_.isMinimized()) return;
    close();
}

void Form3::closeEvent(QCloseEvent* event) {
    Unload();
    QWidget::closeEvent(event);
}

}  // namespace dyeland
