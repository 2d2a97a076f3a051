// Message boxes that show their whole title, and questions only Yes or No can answer.
#include "GameMessageBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QScreen>
#include <algorithm>

namespace dyeland {

GameMessageBox::GameMessageBox(Icon icon, const QString& title, const QString& text,
                               StandardButtons buttons, QWidget* parent)
    : QMessageBox(icon, title, text, buttons, parent),
      question_(buttons.testFlag(Yes) && buttons.testFlag(No)) {
    // A reason from the system or a folder's name is shown as it is, never read as markup.
    setTextFormat(Qt::PlainText);
    if (!question_) return;
    setDefaultButton(No);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

// QMessageBox sets its own size whenever it is shown or laid out again, from its text.
bool GameMessageBox::event(QEvent* event) {
    const bool handled = QMessageBox::event(event);
    if (event->type() == QEvent::Show || event->type() == QEvent::LayoutRequest) FitTitle();
    return handled;
}

// Window managers draw titles bold, beside the window's icon and a few buttons about a line
// high each; a box is made wide enough for all of that, but never wider than the screen.
void GameMessageBox::FitTitle() {
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int wanted = metrics.horizontalAdvance(windowTitle()) + 8 * metrics.height();
    const int width = std::min(wanted, screen()->availableGeometry().width());
    if (width <= this->width()) return;
    setFixedSize(width, height());
    QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
}

void GameMessageBox::keyPressEvent(QKeyEvent* event) {
    if (question_ && event->matches(QKeySequence::Cancel)) {
        event->accept();
        return;
    }
    QMessageBox::keyPressEvent(event);
}

// The window manager's close request arrives as a spontaneous event; the program's own closing
// of every window at its end does not, and still closes the box.
void GameMessageBox::closeEvent(QCloseEvent* event) {
    if (question_ && event->spontaneous()) {
        event->ignore();
        return;
    }
    QMessageBox::closeEvent(event);
}

}  // namespace dyeland
