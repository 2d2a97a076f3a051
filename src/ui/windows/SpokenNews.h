// What a screen reader hears as the game goes on: "Computer took yellow. You 35, computer 41.",
// a new board, a refused colour and who won, said through a notification of the main window.
#pragma once

#include <QString>

class QWidget;

namespace dyeland {

struct GameState;

QString MoveNews(const GameState& state);
QString NewGameNews(const GameState& state);
QString RefusalNews(const GameState& state);
QString EndNews(const GameState& state);

// Says news through a screen reader once the running handler is over, together with any other
// news of that handler. LastNews is what it says, or said last.
void Announce(QWidget& window, const QString& news);
QString LastNews(const QWidget& window);

}  // namespace dyeland
