// The board as a table for assistive technology, the cursor a screen reader moves over its
// cells, and the words the colour boxes add to their names. Everything is read from the game's
// state when a screen reader asks for it; the 900 cells are built only as they are asked for, and
// only those the reader already holds are told of changes.
#include "board/BoardAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <array>

#include "board/BoardPicture.h"
#include "board/Controls.h"
#include "game/Game.h"

namespace dyeland {
namespace {

constexpr const char* ColourNames[] = {"black",     "blue",          "green",       "cyan",
                                       "red",       "magenta",       "brown",       "light grey",
                                       "dark grey", "light blue",    "light green", "light cyan",
                                       "light red", "light magenta", "yellow",      "bright white"};

QString Cells(int count) {
    return count == 1 ? QString("1 cell") : QString("%1 cells").arg(count);
}

// The board's door to the game, which it only reads, and the cursor over the cells that only a
// screen reader follows. The arrow keys, Home, End, Page Up and Page Down move it: the reader is
// told the cell now has the focus, and the picture stays as it was.
class BoardReader : public QObject {
public:
    BoardReader(BoardPicture* board, const Game& game)
        : QObject(board), board_(board), game_(game) {}

    const Game& ReadGame() const { return game_; }
    QPoint Cursor() const { return cursor_; }

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
        cursor_ = QPoint(std::clamp(cursor_.x() + step->dx, 0, BoardSide - 1),
                         std::clamp(cursor_.y() + step->dy, 0, BoardSide - 1));
        QAccessibleEvent focus(board_, QAccessible::Focus);
        focus.setChild(cursor_.y() * BoardSide + cursor_.x());
        QAccessible::updateAccessibility(&focus);
        return true;
    }

private:
    BoardPicture* board_;
    const Game& game_;
    QPoint cursor_{0, BoardSide - 1};  // (column, row)
};

// The reader has no meta-object of its own, so findChild would take any object for it.
const BoardReader* ReaderOf(const BoardPicture& board) {
    for (QObject* child : board.children())
        if (auto* reader = dynamic_cast<const BoardReader*>(child)) return reader;
    return nullptr;
}

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
        state.focused = board_->hasFocus() && CellCursor(*board_) == QPoint(column_, row_);
        return state;
    }

    QString text(QAccessible::Text t) const override {
        const BoardReader* reader = board_ ? ReaderOf(*board_) : nullptr;
        return t == QAccessible::Name && reader ? CellName(reader->ReadGame(), row_, column_)
                                                : QString();
    }

    // Where the square is drawn, in screen pixels.
    QRect rect() const override {
        const QRect local = CellRect(*board_, row_, column_);
        return QRect(board_->mapToGlobal(local.topLeft()), local.size());
    }

    static QRect CellRect(const BoardPicture& board, int row, int column) {
        const qreal dpr = board.devicePixelRatioF();
        auto px = [&](int cells) {
            return qRound(board.Edge(BoardPicture::CellUnits * cells) / dpr);
        };
        return QRect(QPoint(px(column), px(row)), QPoint(px(column + 1) - 1, px(row + 1) - 1));
    }

private:
    QPointer<BoardPicture> board_;
    int row_;
    int column_;
    QString told_;
};

// A table by its role, without Qt's table interface: with it, a screen reader reads all 30 cells
// of a row whenever the cursor changes rows, and a header whenever it changes columns (see
// docs/desktop-notes.md). Each cell says its own row and column instead.
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
        for (ColourBox* box : Board()->window()->findChildren<ColourBox*>()) {
            QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(box);
            const QString name = spoken->text(QAccessible::Name);
            if (box->property("toldName").toString() == name) continue;
            box->setProperty("toldName", name);
            QAccessibleEvent renamed(box, QAccessible::NameChanged);
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

QAccessibleInterface* BoardFactory(const QString& className, QObject* object) {
    if (className == QLatin1String(BoardPicture::staticMetaObject.className()))
        return new BoardTable(static_cast<BoardPicture*>(object));
    return nullptr;
}

}  // namespace

QString ColourName(int colour) {
    return colour >= 0 && colour < static_cast<int>(std::size(ColourNames))
               ? QString(ColourNames[colour])
               : QString("colour %1").arg(colour);
}

void InstallBoardAccessible() {
    QAccessible::installFactory(BoardFactory);  // Qt keeps one of each, however often installed
}

QString CellName(const Game& game, int row, int column) {
    QString name = ColourName(game.State().colours(column, row));
    if (const auto owner = game.Owner(column, row))
        name += *owner == Side::Player ? ", yours" : ", computer's";
    return name + QString(", row %1 column %2").arg(row + 1).arg(column + 1);
}

void AddBoardReader(BoardPicture& board, const Game& game) {
    board.installEventFilter(new BoardReader(&board, game));
}

QPoint CellCursor(const BoardPicture& board) {
    const BoardReader* reader = ReaderOf(board);
    return reader ? reader->Cursor() : QPoint(0, BoardSide - 1);
}

// All in the name, so focus on a box says one line.
void SpeakColourBoxState(ColourBox& box, int k, const Game& game) {
    const int colour = FirstColour + k;
    box.spokenState = [&game, colour]() -> QString {
        const PickPreview pick = game.Preview(colour);
        if (pick.refused) return "taken by the computer";
        return QString(pick.yours ? "your colour, gains %1" : "gains %1").arg(Cells(pick.gain));
    };
}

void TellBoardDrawn(BoardPicture& board) {
    if (auto* table = dynamic_cast<BoardTable*>(QAccessible::queryAccessibleInterface(&board)))
        table->TellChangesSoon();
}

}  // namespace dyeland
