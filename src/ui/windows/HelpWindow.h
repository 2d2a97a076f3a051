// The program's own help viewer: one window showing the help pages bundled into the program.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;

namespace dyeland {

class HelpWindow : public QWidget {
    Q_OBJECT
public:
    // The help's first page, a resource built into the program.
    static inline const QString ContentsPage = QStringLiteral(":/help/dyeland.html");

    explicit HelpWindow(QWidget* parent);

    // Loads a page; "" when it worked, else the reason it did not.
    QString Open(const QString& page);

private:
    QTextBrowser* browser_;
};

}  // namespace dyeland
