// What a screen reader hears as the game goes on: "Computer took yellow. You 35, computer 41.",
// a new board, a refused colour and who won, said through a notification of the main window.
#pragma once

#include <QString>

#include "game/GameState.h"

class QWidget;

namespace dyeland {

class Game;

QString MoveNews(const Game& game);
QString NewGameNews(const Game& game);
QString RefusalNews(const Game& game);
QString EndNews(const Game& game, Side winner);

// Says news through a screen reader once the running handler is over, together with any other
// news of that handler. LastNews is what it says, or said last.
void Announce(QWidget& window, const QString& news);
QString LastNews(const QWidget& window);

}  // namespace dyeland
