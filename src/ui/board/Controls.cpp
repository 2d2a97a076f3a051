// The colour boxes and the value labels with what screen readers learn of them, and the sunken
// border of the board and the boxes.
#include "board/Controls.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace dyeland {
namespace {

// Qt gives an unknown widget the role of a plain client area; a colour box is a button to a screen
// reader, and its press action plays the colour. A question box on screen keeps the mouse and
// the keys from the colour boxes, so it keeps the press from them too.
class ColourBoxAccessible : public QAccessibleWidget {
public:
    explicit ColourBoxAccessible(ColourBox* box) : QAccessibleWidget(box, QAccessible::Button) {}

    QString text(QAccessible::Text t) const override {
        // Qt would give the tooltip, "Click Me!", as the description: one more line on each box.
        if (t == QAccessible::Description) return {};
        const auto* box = static_cast<const ColourBox*>(widget());
        QString text = QAccessibleWidget::text(t);
        const QString state = t == QAccessible::Name && box->spokenState ? box->spokenState() : "";
        return state.isEmpty() ? text : text + ", " + state;
    }

    QStringList actionNames() const override {
        return QStringList{pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action != pressAction()) {
            QAccessibleWidget::doAction(action);
        } else if (widget()->isEnabled() && !QApplication::activeModalWidget()) {
            static_cast<ColourBox*>(widget())->Press();
        }
    }
};

// The name says what the box counts; the caption is its value and its text, read-only. Text,
// not a value interface: Linux's bridge would offer Increase and Decrease on a value.
class ValueLabelAccessible : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit ValueLabelAccessible(ValueLabel* label)
        : QAccessibleWidget(label, QAccessible::StaticText) {}

    QString text(QAccessible::Text t) const override {
        if (t == QAccessible::Value) return Caption();
        return QAccessibleWidget::text(t);
    }
    // A label beyond the window's edge is there for the game, not for the user: it is reported
    // as off screen, which screen readers pass over.
    QAccessible::State state() const override {
        QAccessible::State state = QAccessibleWidget::state();
        state.readOnly = true;
        if (!state.invisible && widget()->visibleRegion().isEmpty()) state.offscreen = true;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(int start, int end) const override { return Caption().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(Caption().size()); }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    // Flat review reads only text that has a place on the screen; the whole box will do.
    QRect characterRect(int) const override {
        return QRect(widget()->mapToGlobal(QPoint(0, 0)), widget()->size());
    }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    QString Caption() const { return static_cast<const QLabel*>(widget())->text(); }
};

QAccessibleInterface* ControlsAccessibleFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(ColourBox::staticMetaObject.className()))
        return new ColourBoxAccessible(static_cast<ColourBox*>(object));
    if (className == QLatin1String(ValueLabel::staticMetaObject.className()))
        return new ValueLabelAccessible(static_cast<ValueLabel*>(object));
    return nullptr;
}

void InstallAccessibleFactory() {
    QAccessible::installFactory(
        ControlsAccessibleFactory);  // Qt keeps one of each, however often installed
}

}  // namespace

void DrawSunkenBorder(QPainter& painter, const QRect& rect) {
    // Outer ring grey above and left, white below and right; inner ring dark grey and light grey.
    // Each line is a logical pixel, as thick as the border's place at every scale: Qt's
    // qDrawWinPanel draws device pixels, thinner on a scaled screen.
    const QRect outer = rect;
    const QRect inner = rect.adjusted(1, 1, -1, -1);
    auto ring = [&painter](const QRect& r, QColor topLeft, QColor bottomRight) {
        painter.fillRect(QRect(r.left(), r.top(), r.width() - 1, 1), topLeft);
        painter.fillRect(QRect(r.left(), r.top(), 1, r.height() - 1), topLeft);
        painter.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), bottomRight);
        painter.fillRect(QRect(r.right(), r.top(), 1, r.height()), bottomRight);
    };
    ring(outer, QColor(0x80, 0x80, 0x80), QColor(0xFF, 0xFF, 0xFF));
    ring(inner, QColor(0x40, 0x40, 0x40), QColor(0xD4, 0xD0, 0xC8));
}

ColourBox::ColourBox(QRgb colour, QWidget* parent) : QWidget(parent), colour_(colour) {
    InstallAccessibleFactory();
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ColourBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), QColor::fromRgb(colour_));
    DrawSunkenBorder(painter, rect());
    // The focus mark appears, as in Qt's own styles, only once the keyboard has moved the focus
    // in this window, so a mouse player sees plain boxes. White under black
    // dots shows on every one of the eight colours.
    if (hasFocus() && window()->testAttribute(Qt::WA_KeyboardFocusChange)) {
        const QRect mark = rect().adjusted(4, 4, -5, -5);
        painter.setPen(QPen(Qt::white, 1));
        painter.drawRect(mark);
        painter.setPen(QPen(Qt::black, 1, Qt::DotLine));
        painter.drawRect(mark);
    }
}

// A held key plays once: the repeats are swallowed rather than passed on to the window.
void ColourBox::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Space || key == Qt::Key_Return || key == Qt::Key_Enter) {
        event->accept();
        if (!event->isAutoRepeat()) Press();
        return;
    }
    QWidget::keyPressEvent(event);
}

void ColourBox::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) pressed_ = true;
    QWidget::mousePressEvent(event);
}

// A click counts when the button comes up over the box it went down on.
void ColourBox::mouseReleaseEvent(QMouseEvent* event) {
    const bool click = event->button() == Qt::LeftButton && pressed_ &&
                       rect().contains(event->position().toPoint());
    if (event->button() == Qt::LeftButton) pressed_ = false;
    QWidget::mouseReleaseEvent(event);
    if (click) emit clicked();
}

// The second press of a double-click comes as this event. It is no new press, so the release
// after it makes no second pick: a double-click is one pick.
void ColourBox::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
}

ValueLabel::ValueLabel(const QString& caption, QWidget* parent) : QLabel(caption, parent) {
    InstallAccessibleFactory();
}

// QLabel tells screen readers of a new text only while the label has no accessible name of its
// own, and these have one. An unchanged caption, rewritten every second, says nothing.
void ValueLabel::SetValue(const QString& caption) {
    if (caption == text()) return;
    const QString old = text();
    setText(caption);
    QAccessibleTextUpdateEvent event(this, 0, old, caption);
    QAccessible::updateAccessibility(&event);
}

}  // namespace dyeland
