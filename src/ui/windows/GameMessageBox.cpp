// Message boxes that show their whole title, and questions only Yes or No can answer.
#include "windows/GameMessageBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
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
    FitTitle();
    if (!question_) return;
    setDefaultButton(No);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
}

// Window managers draw titles bold, beside the window's icon and a few buttons about a line
// high each; a box is made wide enough for all of that, but never wider than the screen.
// QMessageBox sets its own size from its layout when it shows and again on the layout pass that
// follows, so the width goes into the layout, as a row of its own: both passes agree, and the
// box never changes its size once shown. A box resized while the window manager is still placing
// it sends the manager the place Qt believes it has then, which can be the screen's corner.
void GameMessageBox::FitTitle() {
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    const int wanted = metrics.horizontalAdvance(windowTitle()) + 8 * metrics.height();
    auto* grid = static_cast<QGridLayout*>(layout());
    const QMargins margins = grid->contentsMargins();
    const int width =
        std::min(wanted, screen()->availableGeometry().width()) - margins.left() - margins.right();
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Fixed), grid->rowCount(), 0, 1,
                  grid->columnCount());
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
