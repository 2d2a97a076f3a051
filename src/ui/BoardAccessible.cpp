// The board box as a table for assistive technology and the words the pickers add to their
// names. Everything is read from the game's state when a screen reader asks for it, so a move
// costs nothing more while none is listening; the 900 cells are built only as they are asked
// for, and only those the reader already holds are told of changes.
#include "BoardAccessible.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QAction>
#include <QMenu>
#include <QPointer>
#include <QTimer>
#include <array>

#include "BoardPicture.h"
#include "Controls.h"
#include "Form1.h"
#include "game/board.h"

namespace dyeland {
namespace {

constexpr const char* ColourNames[] = {"black",     "blue",          "green",       "cyan",
                                       "red",       "magenta",       "brown",       "light grey",
                                       "dark grey", "light blue",    "light green", "light cyan",
                                       "light red", "light magenta", "yellow",      "bright white"};

QString Cells(int count) {
    return count == 1 ? QString("1 cell") : QString("%1 cells").arg(count);
}

const GameState* StateOf(const QWidget* board) {
    const auto* form = qobject_cast<const Form1*>(board->window());
    return form ? &form->game.state : nullptr;
}

// Qt asks the table for headers by row and column; each of them, and each square, is an
// interface of its own. Row −1 stands for a column's header and column −1 for a row's.
class BoardItem : public QAccessibleInterface, public QAccessibleTableCellInterface {
public:
    BoardItem(BoardPicture* board, int row, int column)
        : board_(board), row_(row), column_(column), told_(text(QAccessible::Name)) {}

    bool IsCell() const { return row_ >= 0 && column_ >= 0; }
    // NameChanged when the square's colour or owner is no longer what the reader was told.
    void TellIfRenamed() {
        if (!IsCell()) return;
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
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QAccessible::Role role() const override {
        if (IsCell()) return QAccessible::Cell;
        return row_ < 0 ? QAccessible::ColumnHeader : QAccessible::RowHeader;
    }
    QAccessible::State state() const override {
        QAccessible::State state;
        state.readOnly = true;
        state.invisible = !board_->isVisible();
        return state;
    }
    void setText(QAccessible::Text, const QString&) override {}

    QString text(QAccessible::Text t) const override {
        if (t != QAccessible::Name) return {};
        if (row_ < 0) return QString("column %1").arg(column_ + 1);
        if (column_ < 0) return QString("row %1").arg(row_ + 1);
        const GameState* s = StateOf(board_);
        if (!s) return {};
        QString name = ColourName(s->Colors(column_, row_));
        if (s->PlayerMarks(column_, row_) == Marked) {
            name += ", yours";
        } else if (s->ComputerMarks(column_, row_) == Marked) {
            name += ", computer's";
        }
        return name;
    }

    // Where the square is drawn, in screen pixels.
    QRect rect() const override {
        if (!IsCell()) return {};
        const QRect local = CellRect(*board_, row_, column_);
        return QRect(board_->mapToGlobal(local.topLeft()), local.size());
    }

    static QRect CellRect(const BoardPicture& board, int row, int column) {
        const qreal dpr = board.devicePixelRatioF();
        auto px = [&](int cells) { return qRound(board.Edge(CellUnits * cells) / dpr); };
        return QRect(QPoint(px(column), px(row)), QPoint(px(column + 1) - 1, px(row + 1) - 1));
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableCellInterface && IsCell())
            return static_cast<QAccessibleTableCellInterface*>(this);
        return nullptr;
    }

    bool isSelected() const override { return false; }
    QList<QAccessibleInterface*> columnHeaderCells() const override;
    QList<QAccessibleInterface*> rowHeaderCells() const override;
    int columnIndex() const override { return column_; }
    int rowIndex() const override { return row_; }
    int columnExtent() const override { return 1; }
    int rowExtent() const override { return 1; }
    QAccessibleInterface* table() const override { return parent(); }

private:
    QPointer<BoardPicture> board_;
    int row_;
    int column_;
    QString told_;
};

class BoardTable : public QAccessibleWidget, public QAccessibleTableInterface {
public:
    explicit BoardTable(BoardPicture* board) : QAccessibleWidget(board, QAccessible::Table) {}
    ~BoardTable() override {
        for (QAccessible::Id id : items_)
            if (id) QAccessible::deleteAccessibleInterface(id);
    }

    BoardPicture* Board() const { return static_cast<BoardPicture*>(widget()); }

    // Items are numbered cells first, row by row, then the column headers, then the row ones.
    BoardItem* Item(int row, int column) const {
        const int index = row < 0      ? CellCount + column
                          : column < 0 ? CellCount + BoardSide + row
                                       : row * BoardSide + column;
        QAccessible::Id& id = items_[static_cast<std::size_t>(index)];
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
        QAccessibleTableModelChangeEvent change(this,
                                                QAccessibleTableModelChangeEvent::DataChanged);
        change.setFirstRow(0);
        change.setFirstColumn(0);
        change.setLastRow(BoardSide - 1);
        change.setLastColumn(BoardSide - 1);
        QAccessible::updateAccessibility(&change);
        for (QAccessible::Id id : items_)
            if (id) static_cast<BoardItem*>(QAccessible::accessibleInterface(id))->TellIfRenamed();
        for (PickerBox* picker : Board()->window()->findChildren<PickerBox*>()) {
            QAccessibleInterface* spoken = QAccessible::queryAccessibleInterface(picker);
            const QString name = spoken->text(QAccessible::Name);
            if (picker->property("toldName").toString() == name) continue;
            picker->setProperty("toldName", name);
            QAccessibleEvent renamed(picker, QAccessible::NameChanged);
            QAccessible::updateAccessibility(&renamed);
        }
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TableInterface)
            return static_cast<QAccessibleTableInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }
    QString text(QAccessible::Text t) const override {
        QString text = QAccessibleWidget::text(t);
        const GameState* s = StateOf(widget());
        if (t == QAccessible::Description && s) text += ". " + CountsText(*s);
        return text;
    }
    int childCount() const override { return CellCount; }
    QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= CellCount) return nullptr;
        return Item(index / BoardSide, index % BoardSide);
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        QAccessibleTableCellInterface* cell =
            const_cast<QAccessibleInterface*>(child)->tableCellInterface();
        if (!cell || cell->table() != this) return -1;
        return cell->rowIndex() * BoardSide + cell->columnIndex();
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

    QAccessibleInterface* caption() const override { return nullptr; }
    QAccessibleInterface* summary() const override { return nullptr; }
    QAccessibleInterface* cellAt(int row, int column) const override {
        if (row < 0 || row >= BoardSide || column < 0 || column >= BoardSide) return nullptr;
        return Item(row, column);
    }
    int selectedCellCount() const override { return 0; }
    QList<QAccessibleInterface*> selectedCells() const override { return {}; }
    QString columnDescription(int column) const override {
        return QString("column %1").arg(column + 1);
    }
    QString rowDescription(int row) const override { return QString("row %1").arg(row + 1); }
    int selectedColumnCount() const override { return 0; }
    int selectedRowCount() const override { return 0; }
    int columnCount() const override { return BoardSide; }
    int rowCount() const override { return BoardSide; }
    QList<int> selectedColumns() const override { return {}; }
    QList<int> selectedRows() const override { return {}; }
    bool isColumnSelected(int) const override { return false; }
    bool isRowSelected(int) const override { return false; }
    bool selectRow(int) override { return false; }
    bool selectColumn(int) override { return false; }
    bool unselectRow(int) override { return false; }
    bool unselectColumn(int) override { return false; }
    void modelChange(QAccessibleTableModelChangeEvent*) override {}

private:
    mutable std::array<QAccessible::Id, CellCount + 2 * BoardSide> items_{};
    bool tellPending_ = false;
};

QList<QAccessibleInterface*> BoardItem::columnHeaderCells() const {
    auto* table = dynamic_cast<BoardTable*>(parent());
    return table ? QList<QAccessibleInterface*>{table->Item(-1, column_)}
                 : QList<QAccessibleInterface*>{};
}

QList<QAccessibleInterface*> BoardItem::rowHeaderCells() const {
    auto* table = dynamic_cast<BoardTable*>(parent());
    return table ? QList<QAccessibleInterface*>{table->Item(row_, -1)}
                 : QList<QAccessibleInterface*>{};
}

// Qt's menu items report their check mark only while it is set, and Linux's bridge in Qt 6.4
// knows no "checkable" state, so an unchecked item sounds like a plain command. A check box is
// what the item is: a screen reader says "checked" or "not checked" of it.
class CheckItemAccessible : public QAccessibleInterface, public QAccessibleActionInterface {
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
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    QString text(QAccessible::Text t) const override {
        return t == QAccessible::Name ? action_->text() : QString();
    }
    void setText(QAccessible::Text, const QString&) override {}
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

QString CountsText(const GameState& state) {
    return QString("You hold %1, the computer %2.")
        .arg(Cells(state.PlayerCount), Cells(state.ComputerCount));
}

// The refusal compares with the computer's colour; the player's colour is the one the region
// shows, which after a new game is the start cell's.
void SpeakPickerState(PickerBox& picker, int k, const GameState& state) {
    const int colour = FirstColour + k;
    picker.SpokenState = [&state, colour]() -> QString {
        if (colour == state.ComputerColor) return "taken by the computer";
        if (colour == state.Colors(PlayerStartX, PlayerStartY)) return "your colour";
        return {};
    };
    picker.SpokenDescription = [&state, colour] {
        const QString name = ColourName(colour);
        if (colour == state.ComputerColor)
            return QString("The computer holds %1, so you cannot choose it now").arg(name);
        const int gain = CaptureGain(state.PlayerMarks, state.Colors, colour, SweepOrder::Player);
        return QString("Choose %1 for your region: it would gain %2 now").arg(name, Cells(gain));
    };
}

void TellBoardDrawn(BoardPicture& board) {
    if (auto* table = dynamic_cast<BoardTable*>(QAccessible::queryAccessibleInterface(&board)))
        table->TellChangesSoon();
}

}  // namespace dyeland
