// Command buttons that Enter presses and whose hint a screen reader hears once.
#include "windows/CommandButton.h"

#include <QAccessible>
#include <QKeyEvent>

namespace dyeland {

void CommandButton::keyPressEvent(QKeyEvent* event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat() && isEnabled()) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CommandButton::SetHintOnce(const QString& hint) {
    setAccessibleDescription(hint);
    hintOnce_ = true;
}

void CommandButton::focusOutEvent(QFocusEvent* event) {
    QPushButton::focusOutEvent(event);
    if (hintOnce_ && QAccessible::isActive()) {
        hintOnce_ = false;
        setAccessibleDescription({});
    }
}

}  // namespace dyeland
