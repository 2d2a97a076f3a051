// What a screen reader learns of the game itself: the board as a 30 x 30 table whose cells say
// their colour and owner, what each colour picker stands for right now, and the check marks of
// the Options menu.
#pragma once

#include <QString>

namespace dyeland {

class BoardPicture;
class PickerBox;
struct GameState;

// A palette colour as the game speaks it: "light red", "yellow".
QString ColourName(int colour);

// Gives the board box its table and the checkable menu items their check box for assistive
// technology; once, before either is built.
void InstallBoardAccessible();

// Lets picker k say whether its colour is refused or already the player's, and how many cells
// it would gain; worked out only when a screen reader asks.
void SpeakPickerState(PickerBox& picker, int k, const GameState& state);

// "You hold 12 cells, the computer 15."
QString CountsText(const GameState& state);

// A drawing pass has ended: once the running handler is over, the cells and pickers whose
// words changed tell the screen reader so. Only for a screen reader that is listening.
void TellBoardDrawn(BoardPicture& board);

}  // namespace dyeland
