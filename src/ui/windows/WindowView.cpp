// What the game tells, shown on the main window's controls and said to a screen reader.
#include "windows/WindowView.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <charconv>

#include "board/BoardAccessible.h"
#include "board/BoardPicture.h"
#include "board/Controls.h"
#include "windows/GameMessageBox.h"
#include "windows/SpokenNews.h"

namespace dyeland {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// The shortest decimal text that reads back as the same float: "0", "120", "120.5".
QString ShortestText(float value) {
    char text[32];
    auto [end, error] = std::to_chars(text, text + sizeof text, value);
    return error == std::errc() ? QString::fromLatin1(text, end - text) : QString("0");
}

QString HistoryText(const std::optional<int>& entry) {
    return entry ? QString::number(*entry) : QString();
}

}  // namespace

void WindowView::Attach(const WindowParts& parts, const Game& game) {
    parts_ = parts;
    game_ = &game;
}

void WindowView::ShowOptions() {
    const GameState& s = game_->State();
    parts_.classic->setChecked(s.classicGame);
    parts_.fromTheCentre->setChecked(!s.classicGame);
    parts_.gridLines->setChecked(s.showGrid);
    parts_.arcade->setChecked(s.arcade);
}

// What a screen reader hears is announced once the running handler is done.
void WindowView::Tell(const GameEvent& event) {
    const GameState& s = game_->State();
    using enum GameEvent::Kind;
    switch (event.kind) {
        case BoardDealt:
            parts_.startButton->setText("New game");
            parts_.highScore->SetValue(ShortestText(s.highScore));
            return Announce(*parts_.window, NewGameNews(*game_));
        case BoardChanged:
            parts_.board->ShowBoard(s.colours, s.showGrid, event.kept);
            if (QAccessible::isActive()) TellBoardDrawn(*parts_.board);
            return;
        case OpeningMovePlayed:
            parts_.stepButton->setFocus(Qt::OtherFocusReason);
            return;
        case Moved:
            if (event.side == Side::Player)
                parts_.playerMoves->SetValue(QString::number(s.playerMoves));
            else
                parts_.computersColour->SetValue(QString::number(event.colour));
            return;
        case ColoursRated:
            parts_.earliestLeader->SetValue(HistoryText(s.best5));
            parts_.earlierLeader->SetValue(HistoryText(s.best4));
            return;
        case PlayerToPick:
            Announce(*parts_.window, MoveNews(*game_));
            parts_.stepButton->setFocus(Qt::OtherFocusReason);
            return;
        case PickRefused:
            // Before the first deal both sides hold black, which is no colour to name.
            if (game_->BoardDealt()) Announce(*parts_.window, RefusalNews(*game_));
            return;
        case Won:
            return Announce(*parts_.window, EndNews(*game_, event.side));
        case ClockStarted:
            if (!game_->Ended()) parts_.turnClock->start();
            return;
        case ClockStopped:
            parts_.turnClock->stop();
            return;
        case OptionsChanged:
            return ShowOptions();
    }
}

bool WindowView::AskYesNo(std::string_view prompt, std::string_view title) {
    if (game_->Ended()) return false;
    GameMessageBox box(QMessageBox::Critical, FromUtf8(title), FromUtf8(prompt),
                       QMessageBox::Yes | QMessageBox::No, parts_.window);
    return box.exec() == QMessageBox::Yes;
}

void WindowView::ShowWarning(std::string_view text, std::string_view title) {
    if (game_->Ended()) return;
    GameMessageBox box(QMessageBox::Warning, FromUtf8(title), FromUtf8(text), QMessageBox::Ok,
                       parts_.window);
    box.exec();
}

void WindowView::Beep() {
    sound_.Bell();
}

void WindowView::ProcessPendingEvents() {
    QCoreApplication::processEvents();
}

// The game has marked itself ended before it calls this. Closing every window ends each nested
// event loop (a message box, say) as well as the main one; the code that called this returns
// and finds the game ended.
void WindowView::EndProgram() {
    for (QTimer* timer : {parts_.refresh, parts_.turnClock})
        timer->stop();
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

}  // namespace dyeland
