// The help window: a text browser over the bundled HTML pages.
#include "windows/HelpWindow.h"

#include <QAction>
#include <QFile>
#include <QScreen>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "desktop/OnScreen.h"

namespace dyeland {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
    setObjectName("HelpWindow");
    setWindowTitle("Dyeland Help");
    setAccessibleDescription("The help pages of Dyeland");
    // Its first size leaves room on the screen for a frame like the main window's.
    const QWidget* main = parent ? parent->window() : this;
    const QSize frame = main->frameGeometry().size() - main->size();
    resize(QSize(540, 600).boundedTo(screen()->availableGeometry().size() - frame));
    browser_ = new QTextBrowser(this);
    browser_->setObjectName("HelpText");
    browser_->setOpenExternalLinks(true);
    browser_->setAccessibleName("Help text");
    browser_->setAccessibleDescription("How to play Dyeland and what its options do");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(browser_);
    // Escape and the desktop's Close keys close it, as they close a document window anywhere
    // else; the text browser itself uses neither.
    auto* close = new QAction(this);
    close->setShortcuts(QKeySequence::keyBindings(QKeySequence::Close)
                        << QKeySequence(Qt::Key_Escape));
    connect(close, &QAction::triggered, this, &QWidget::close);
    addAction(close);
    KeepOnScreen(this);
}

QString HelpWindow::Open(const QString& page) {
    // QTextBrowser shows an empty page for a missing file, so the file is checked first.
    QFile file(page);
    if (!file.open(QIODevice::ReadOnly)) return file.errorString();
    file.close();
    browser_->setSource(page.startsWith(':') ? QUrl("qrc" + page) : QUrl::fromLocalFile(page));
    return {};
}

}  // namespace dyeland
