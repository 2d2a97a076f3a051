// The news of each turn in words, put together on every move whether a screen reader listens or
// not, and the notice that says it.
#include "windows/SpokenNews.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QTimer>
#include <QWidget>

#include "board/BoardAccessible.h"
#include "game/Game.h"

namespace dyeland {
namespace {

// The news of the game for a screen reader: an off-window notification, never shown, that the
// reader says when told it appeared; a description or name change would go unsaid (see
// docs/desktop-notes.md). What comes within one handler is said as one.
class SpokenNotice : public QWidget {
public:
    // Parented only once it is a notice: an accessible interface Qt makes for it before that
    // would keep the role of a plain widget.
    explicit SpokenNotice(QWidget* window) {
        setParent(window);
        setGeometry(-100, -100, 1, 1);
        hide();
    }

    QString News() const { return accessibleName(); }
    void Add(const QString& news) {
        setAccessibleName(said_ || accessibleName().isEmpty() ? news
                                                              : accessibleName() + " " + news);
        said_ = false;
        SaySoon();
    }

private:
    void SaySoon() {
        QTimer::singleShot(0, this, [this] { Say(); });
    }
    // Orca drops news, or cuts it short, that comes before the focus has settled in a window:
    // the question box's, or the game's own once the box is gone. The news waits for the focus
    // and comes after what Orca says of it.
    void Say() {
        if (said_ || waiting_) return;
        const QWidget* focus = QApplication::focusWidget();
        const QWidget* modal = QApplication::activeModalWidget();
        if (!focus || (modal && !modal->isAncestorOf(focus))) {
            waiting_ = true;
            connect(
                qApp, &QApplication::focusChanged, this,
                [this] {
                    waiting_ = false;
                    SaySoon();
                },
                Qt::SingleShotConnection);
            return;
        }
        said_ = true;
        QAccessibleEvent shown(this, QAccessible::ObjectShow);
        QAccessible::updateAccessibility(&shown);
    }

    bool said_ = true;
    bool waiting_ = false;
};

class NoticeAccessible : public QAccessibleWidget {
public:
    explicit NoticeAccessible(QWidget* notice)
        : QAccessibleWidget(notice, QAccessible::Notification) {}
};

QAccessibleInterface* NoticeFactory(const QString&, QObject* object) {
    if (auto* notice = dynamic_cast<SpokenNotice*>(object)) return new NoticeAccessible(notice);
    return nullptr;
}

void InstallNoticeAccessible() {
    QAccessible::installFactory(NoticeFactory);  // Qt keeps one of each, however often installed
}

// The regions as they are: the boxes show 0 until each side's first regular move of a game.
QString Counts(const Game& game) {
    return QString("You %1, computer %2.")
        .arg(game.RegionSize(Side::Player))
        .arg(game.RegionSize(Side::Computer));
}

// SpokenNotice has no meta-object of its own, so findChild would take any widget for it.
SpokenNotice* NoticeOf(const QWidget& window) {
    for (QObject* child : window.children())
        if (auto* notice = dynamic_cast<SpokenNotice*>(child)) return notice;
    return nullptr;
}

}  // namespace

QString MoveNews(const Game& game) {
    QString news =
        QString("Computer took %1. ").arg(ColourName(game.State().computerColour)) + Counts(game);
    if (game.DrawnOnAFullBoard()) news += " The board is full and drawn. New game starts another.";
    return news;
}

QString NewGameNews(const Game& game) {
    return QString("New board dealt. The computer starts on %1. ")
               .arg(ColourName(game.State().computerColour)) +
           Counts(game);
}

QString RefusalNews(const Game& game) {
    QString colour = ColourName(game.State().computerColour);
    colour[0] = colour[0].toUpper();
    return colour + " is the computer's colour.";
}

QString EndNews(const Game& game, Side winner) {
    return QString(winner == Side::Player ? "You won. " : "The computer won. ") + Counts(game);
}

void Announce(QWidget& window, const QString& news) {
    SpokenNotice* notice = NoticeOf(window);
    if (!notice) {
        InstallNoticeAccessible();
        notice = new SpokenNotice(&window);
    }
    notice->Add(news);
}

QString LastNews(const QWidget& window) {
    const SpokenNotice* notice = NoticeOf(window);
    return notice ? notice->News() : QString();
}

}  // namespace dyeland
