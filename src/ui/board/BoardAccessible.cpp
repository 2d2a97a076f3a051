// The board box as a table for assistive technology and the words the pickers add to their
// names. Everything is read from the game's state when a screen reader asks for it; the 900
// cells are built only as they are asked for, and only those the reader already holds are told
// of changes. The news of each turn is put in words on every move, listened to or not.
#include "board/BoardAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <array>

#include "board/BoardPicture.h"
#include "board/Controls.h"
#include "game/board.h"
#include "game/game_state.h"

namespace dyeland {
namespace {

constexpr const char* ColourNames[] = {"black",     "blue",          "green",       "cyan",
                                       "red",       "magenta",       "brown",       "light grey",
                                       "dark grey", "light blue",    "light green", "light cyan",
                                       "light red", "light magenta", "yellow",      "bright white"};

QString Cells(int count) {
    return count == 1 ? QString("1 cell") : QString("%1 cells").arg(count);
}

// The arrow keys, Home, End, Page Up and Page Down move a cursor over the cells that only a
// screen reader follows: it is told the cell now has the focus, and the picture stays as it was.
class CellCursorKeys : public QObject {
public:
    explicit CellCursorKeys(BoardPicture* board) : QObject(board), board_(board) {}

    bool eventFilter(QObject*, QEvent* event) override {
        // How to play is said with the board's first focus, not on every visit.
        if (event->type() == QEvent::FocusOut && QAccessible::isActive())
            board_->setAccessibleDescription({});
        if (event->type() != QEvent::KeyPress) return false;
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & ~Qt::KeypadModifier) return false;
        // Home, End, Page Up and Page Down go a whole board's width, which stops at the edge.
        constexpr struct {
            int key, dx, dy;
        } Steps[] = {{Qt::Key_Left, -1, 0},
                     {Qt::Key_Right, 1, 0},
                     {Qt::Key_Up, 0, -1},
                     {Qt::Key_Down, 0, 1},
                     {Qt::Key_Home, -BoardSide, 0},
                     {Qt::Key_End, BoardSide, 0},
                     {Qt::Key_PageUp, 0, -BoardSide},
                     {Qt::Key_PageDown, 0, BoardSide}};
        const auto* step = std::find_if(std::begin(Steps), std::end(Steps),
                                        [key](const auto& s) { return s.key == key->key(); });
        if (step == std::end(Steps)) return false;
        QPoint& at = board_->CellCursor;
        at = QPoint(std::clamp(at.x() + step->dx, 0, BoardSide - 1),
                    std::clamp(at.y() + step->dy, 0, BoardSide - 1));
        QAccessibleEvent focus(board_, QAccessible::Focus);
        focus.setChild(at.y() * BoardSide + at.x());
        QAccessible::updateAccessibility(&focus);
        return true;
    }

private:
    BoardPicture* board_;
};

// The news of the game for a screen reader: an off-window notification, never shown, that Orca
// reads out when told it appeared. Orca 43 says nothing of Qt's description changes, and a name
// change only of the object with the focus. What comes within one handler is said as one.
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

// An interface with no children and a text nobody may set: a square, a menu item.
class LeafInterface : public QAccessibleInterface {
public:
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
};

// Each square is an interface of its own, made the first time a reader asks for it.
class BoardItem : public LeafInterface {
public:
    BoardItem(BoardPicture* board, int row, int column)
        : board_(board), row_(row), column_(column), told_(text(QAccessible::Name)) {}

    // NameChanged when the square's colour or owner is no longer what the reader was told.
    void TellIfRenamed() {
        const QString name = text(QAccessible::Name);
        if (name == told_) return;
        told_ = name;
        QAccessibleEvent event(this, QAccessible::NameChanged);
        QAccessible::updateAccessibility(&event);
    }

    bool isValid() const override { return !board_.isNull(); }
    QObject* object() const override { return nullptr; }
    QWindow* window() const override { return board_->window()->windowHandle(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(board_);
    }
    QAccessible::Role role() const override { return QAccessible::Cell; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        state.invisible = !board_->isVisible();
        state.focusable = true;
        state.focused = board_->hasFocus() && board_->CellCursor == QPoint(column_, row_);
        return state;
    }

    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name && board_ ? CellName(board_->State(), row_, column_)
                                                : QString();
    }

    // Where the square is drawn, in screen pixels.
    QRect rect() const override {
        const QRect local = CellRect(*board_, row_, column_);
        return QRect(board_->mapToGlobal(local.topLeft()), local.size());
    }

    static QRect CellRect(const BoardPicture& board, int row, int column) {
        const qreal dpr = board.devicePixelRatioF();
        auto px = [&](int cells) { return qRound(board.Edge(CellUnits * cells) / dpr); };
        return QRect(QPoint(px(column), px(row)), QPoint(px(column + 1) - 1, px(row + 1) - 1));
    }

private:
    QPointer<BoardPicture> board_;
    int row_;
    int column_;
    QString told_;
};

// A table by its role, without Qt's table interface: with it, Orca 43 reads all 30 cells of a
// row whenever the cursor changes rows, and a header whenever it changes columns. Each cell
// says its own row and column instead.
class BoardTable : public QAccessibleWidget {
public:
    explicit BoardTable(BoardPicture* board) : QAccessibleWidget(board, QAccessible::Table) {}
    ~BoardTable() override {
        for (QAccessible::Id id : items_)
            if (id) QAccessible::deleteAccessibleInterface(id);
    }

    BoardPicture* Board() const { return static_cast<BoardPicture*>(widget()); }

    BoardItem* Item(int row, int column) const {
        QAccessible::Id& id = items_[static_cast<std::size_t>(row * BoardSide + column)];
        if (!id) id = QAccessible::registerAccessibleInterface(new BoardItem(Board(), row, column));
        return static_cast<BoardItem*>(QAccessible::accessibleInterface(id));
    }

    // Runs once the handler that drew is over, so the opening move's marks are in too.
    void TellChangesSoon() {
        if (tellPending_) return;
        tellPending_ = true;
        QTimer::singleShot(0, Board(), [board = Board()] {
            auto* table = dynamic_cast<BoardTable*>(QAccessible::queryAccessibleInterface(board));
            if (table) table->TellChanges();
        });
    }

    void TellChanges() {
        tellPending_ = false;
        if (!QAccessible::isActive()) return;
        for (QAccessible::Id id : items_)
            if (id) static_cast<BoardItem*>(QAccessible::accessibleInterface(id))->TellIfRenamed();
        for (ColourBox* picker : Board()->window()->findChildren<ColourBox*>()) {
            QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(picker);
            const QString name = spoken->text(QAccessible::Name);
            if (picker->property("toldName").toString() == name) continue;
            picker->setProperty("toldName", name);
            QAccessibleEvent renamed(picker, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
        }
    }

    int childCount() const override { return CellCount; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= CellCount) return nullptr;
        return Item(index / BoardSide, index % BoardSide);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        for (std::size_t i = 0; i < items_.size(); ++i)
            if (items_[i] && QAccessible::accessibleInterface(items_[i]) == child)
                return static_cast<int>(i);
        return -1;
    }
    QAccessibleInterface* childAt(int x, int y) const override {
        const QPoint at = Board()->mapFromGlobal(QPoint(x, y));
        int row = -1, column = -1;
        for (int i = 0; i < BoardSide; ++i) {
            const QRect cell = BoardItem::CellRect(*Board(), i, i);
            if (at.y() >= cell.top() && at.y() <= cell.bottom()) row = i;
            if (at.x() >= cell.left() && at.x() <= cell.right()) column = i;
        }
        return row < 0 || column < 0 ? nullptr : Item(row, column);
    }

private:
    mutable std::array<QAccessible::Id, CellCount> items_{};
    bool tellPending_ = false;
};

// Qt's menu items report their check mark only while it is set, and Linux's bridge in Qt 6.4
// knows no "checkable" state, so an unchecked item sounds like a plain command. A check box is
// what the item is: a screen reader says "checked" or "not checked" of it.
class CheckItemAccessible : public LeafInterface, public QAccessibleActionInterface {
public:
    // Qt tells nobody of a new check mark, and a reader that keeps the old state would go on
    // saying it. A click toggles the mark up to three times; the reader hears the outcome once.
    explicit CheckItemAccessible(QAction* action) : action_(action), told_(action->isChecked()) {
        QObject::connect(
            action, &QAction::toggled, action,
            [this] {
                if (told_ == action_->isChecked()) return;
                told_ = action_->isChecked();
                QAccessible::State changed;
                changed.checked = true;
                QAccessibleStateChangeEvent event(action_, changed);
                QAccessible::updateAccessibility(&event);
            },
            Qt::QueuedConnection);
    }

    QMenu* Menu() const {
        for (QObject* owner : action_->associatedObjects())
            if (auto* menu = qobject_cast<QMenu*>(owner)) return menu;
        return nullptr;
    }

    bool isValid() const override { return action_ && Menu(); }
    QObject* object() const override { return action_; }
    QWindow* window() const override { return Menu()->windowHandle(); }
    QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(Menu());
    }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? action_->text() : QString();
    }
    QRect rect() const override {
        const QRect local = Menu()->actionGeometry(action_);
        return QRect(Menu()->mapToGlobal(local.topLeft()), local.size());
    }
    QAccessible::Role role() const override { return QAccessible::CheckBox; }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.checkable = true;
        state.checked = action_->isChecked();
        state.disabled = !action_->isEnabled();
        state.invisible = !Menu()->isVisible();
        state.focusable = true;
        state.focused = Menu()->activeAction() == action_;
        return state;
    }
    void* interface_cast(QAccessible::InterfaceType type) override {
        return type == QAccessible::ActionInterface ? static_cast<QAccessibleActionInterface*>(this)
                                                    : nullptr;
    }

    QStringList actionNames() const override { return {toggleAction()}; }
    void doAction(const QString& name) override {
        if (name == toggleAction() && action_->isEnabled()) action_->trigger();
    }
    QStringList keyBindingsForAction(const QString&) const override { return {}; }

private:
    QPointer<QAction> action_;
    bool told_;
};

QAccessibleInterface* BoardFactory(const QString& className, QObject* object) {
    if (auto* notice = dynamic_cast<SpokenNotice*>(object)) return new NoticeAccessible(notice);
    if (className == QLatin1String(BoardPicture::staticMetaObject.className()))
        return new BoardTable(static_cast<BoardPicture*>(object));
    if (className == QLatin1String("QAction") && static_cast<QAction*>(object)->isCheckable())
        return new CheckItemAccessible(static_cast<QAction*>(object));
    return nullptr;
}

}  // namespace

QString ColourName(int colour) {
    return colour >= 0 && colour < static_cast<int>(std::size(ColourNames))
               ? QString(ColourNames[colour])
               : QString("colour %1").arg(colour);
}

void InstallBoardAccessible() {
    static const bool installed = [] {
        QAccessible::installFactory(BoardFactory);
        return true;
    }();
    (void)installed;
}

QString CellName(const GameState& state, int row, int column) {
    QString name = ColourName(state.Colors(column, row));
    if (state.PlayerMarks(column, row) == Marked) {
        name += ", yours";
    } else if (state.ComputerMarks(column, row) == Marked) {
        name += ", computer's";
    }
    return name + QString(", row %1 column %2").arg(row + 1).arg(column + 1);
}

void AddCellCursor(BoardPicture& board) {
    board.installEventFilter(new CellCursorKeys(&board));
}

// The regions as marked: the boxes show 0 until each side's first regular move of a game.
QString Counts(const GameState& state) {
    return QString("You %1, computer %2.")
        .arg(CountMarks(state.PlayerMarks))
        .arg(CountMarks(state.ComputerMarks));
}

QString MoveNews(const GameState& state) {
    QString news =
        QString("Computer took %1. ").arg(ColourName(state.ComputerColor)) + Counts(state);
    // Neither side can pass 450 on a full board, so only a new game ends it.
    if (state.PlayerCount == WinningCount && state.ComputerCount == WinningCount)
        news += " The board is full and drawn. New game starts another.";
    return news;
}

QString NewGameNews(const GameState& state) {
    return QString("New board dealt. The computer starts on %1. ")
               .arg(ColourName(state.ComputerColor)) +
           Counts(state);
}

QString RefusalNews(const GameState& state) {
    QString colour = ColourName(state.ComputerColor);
    colour[0] = colour[0].toUpper();
    return colour + " is the computer's colour.";
}

QString EndNews(const GameState& state) {
    return QString(state.PlayerCount > WinningCount ? "You won. " : "The computer won. ") +
           Counts(state);
}

// SpokenNotice has no meta-object of its own, so findChild would take any widget for it.
SpokenNotice* NoticeOf(const QWidget& window) {
    for (QObject* child : window.children())
        if (auto* notice = dynamic_cast<SpokenNotice*>(child)) return notice;
    return nullptr;
}

void Announce(QWidget& window, const QString& news) {
    SpokenNotice* notice = NoticeOf(window);
    if (!notice) notice = new SpokenNotice(&window);
    notice->Add(news);
}

QString LastNews(const QWidget& window) {
    const SpokenNotice* notice = NoticeOf(window);
    return notice ? notice->News() : QString();
}

// The refusal compares with the computer's colour; the player's colour is the one the region
// shows, which after a new game is the start cell's. All in the name, so focus on a box says one
// line.
void SpeakColourBoxState(ColourBox& picker, int k, const GameState& state) {
    const int colour = FirstColour + k;
    picker.SpokenState = [&state, colour]() -> QString {
        if (colour == state.ComputerColor) return "taken by the computer";
        const int gain = CaptureGain(state.PlayerMarks, state.Colors, colour, SweepOrder::Player);
        const bool yours = colour == state.Colors(PlayerStartX, PlayerStartY);
        return QString(yours ? "your colour, gains %1" : "gains %1").arg(Cells(gain));
    };
}

void TellBoardDrawn(BoardPicture& board) {
    if (auto* table = dynamic_cast<BoardTable*>(QAccessible::queryAccessibleInterface(&board)))
        table->TellChangesSoon();
}

}  // namespace dyeland
