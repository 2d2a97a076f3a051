// What a screen reader learns of the game itself: the board as a 30 x 30 table whose cells say
// their colour and owner, what each colour picker stands for right now, and the check marks of
// the Options menu.
#pragma once

#include <QString>

class QWidget;

namespace dyeland {

class BoardPicture;
class ColourBox;
struct GameState;

// A palette colour as the game speaks it: "light red", "yellow".
QString ColourName(int colour);

// Gives the board box its table and the checkable menu items their check box for assistive
// technology; once, before either is built.
void InstallBoardAccessible();

// Lets picker k say whether its colour is refused or already the player's, and how many cells
// it would gain; worked out only when a screen reader asks.
void SpeakColourBoxState(ColourBox& picker, int k, const GameState& state);

// "light red, yours, row 30 column 1": a cell by its colour, owner and place.
QString CellName(const GameState& state, int row, int column);

// The arrow keys, Home, End, Page Up and Page Down move over the cells for a screen reader.
void AddCellCursor(BoardPicture& board);

// What a screen reader hears as the game goes on: "Computer took yellow. You 35, computer 41.",
// a new board, a refused colour, and who won.
QString MoveNews(const GameState& state);
QString NewGameNews(const GameState& state);
QString RefusalNews(const GameState& state);
QString EndNews(const GameState& state);

// Says news through a screen reader once the running handler is over, together with any other
// news of that handler. LastNews is what it says, or said last.
void Announce(QWidget& window, const QString& news);
QString LastNews(const QWidget& window);

// A drawing pass has ended: once the running handler is over, the cells and pickers whose
// words changed tell the screen reader so. Only for a screen reader that is listening.
void TellBoardDrawn(BoardPicture& board);

}  // namespace dyeland
