// What a screen reader learns of the board: a 30 x 30 table whose cells say their colour, owner
// and place, a cursor over them that only it follows, and what each colour box stands for now.
#pragma once

#include <QAccessibleInterface>
#include <QPoint>
#include <QString>

namespace dyeland {

class BoardPicture;
class ColourBox;
class Game;

// A palette colour as the game speaks it: "light red", "yellow".
QString ColourName(int colour);

// "light red, yours, row 30 column 1": a cell by its colour, owner and place.
QString CellName(const Game& game, int row, int column);

// Gives the board its table for assistive technology; once, before the board is built.
void InstallBoardAccessible();

// The board's table reads the game and never changes it. The arrow keys,
// Home, End, Page Up and Page Down move a cursor over the cells for a screen reader.
void AddBoardReader(BoardPicture& board, const Game& game);
// The cell (column, row) that cursor has reached; the picture never shows it.
QPoint CellCursor(const BoardPicture& board);

// Lets colour box k say whether its colour is refused or already the player's, and how many
// cells it would gain; worked out only when a screen reader asks.
void SpeakColourBoxState(ColourBox& box, int k, const Game& game);

// The board changed: once the running handler is over, the cells and colour boxes whose words
// changed tell the screen reader so. Only for a screen reader that is listening.
void TellBoardDrawn(BoardPicture& board);

// An interface with no children and a text nobody may set: a cell, a menu item.
class LeafInterface : public QAccessibleInterface {
public:
    QAccessibleInterface* child(int) const override { return nullptr; }
    int childCount() const override { return 0; }
    int indexOfChild(const QAccessibleInterface*) const override { return -1; }
    QAccessibleInterface* childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString&) override {}
};

}  // namespace dyeland
