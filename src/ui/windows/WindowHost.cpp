// What the game asks of the window, on the main window's controls.
#include "windows/WindowHost.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

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

}  // namespace

void WindowHost::Attach(const WindowParts& parts, const Game& game) {
    parts_ = parts;
    game_ = &game;
}

void WindowHost::SetCaption(Caption control, std::string_view text) {
    if (control == Caption::StartButton) {
        parts_.startButton->setText(FromUtf8(text));
        return;
    }
    parts_.captions[static_cast<std::size_t>(control) - 1]->SetValue(FromUtf8(text));
}

bool WindowHost::IsChecked(MenuItem item) const {
    return parts_.checks[static_cast<std::size_t>(item)]->isChecked();
}

void WindowHost::SetChecked(MenuItem item, bool checked) {
    parts_.checks[static_cast<std::size_t>(item)]->setChecked(checked);
}

bool WindowHost::IsTimerEnabled(Timer timer) const {
    return parts_.timers[static_cast<std::size_t>(timer)]->isActive();
}

// Enabling a timer that already runs leaves its interval alone; a stopped one starts a full
// interval.
void WindowHost::SetTimerEnabled(Timer timer, bool enabled) {
    QTimer* t = parts_.timers[static_cast<std::size_t>(timer)];
    if (!enabled) {
        t->stop();
    } else if (!t->isActive() && !game_->Ended()) {
        t->start();
    }
}

void WindowHost::SetAutoRedraw(bool on) {
    parts_.board->SetAutoRedraw(on);
}

void WindowHost::DrawSolidBox(int x1, int y1, int x2, int y2, int colour) {
    parts_.board->DrawSolidBox(x1, y1, x2, y2, PaletteRgb(colour));
}

void WindowHost::DrawOutlineBox(int x1, int y1, int x2, int y2, int colour) {
    parts_.board->DrawOutlineBox(x1, y1, x2, y2, PaletteRgb(colour));
}

void WindowHost::BoardDrawn() {
    if (QAccessible::isActive()) TellBoardDrawn(*parts_.board);
}

void WindowHost::FocusStepButton() {
    parts_.stepButton->setFocus(Qt::OtherFocusReason);
}

bool WindowHost::AskYesNo(std::string_view prompt, std::string_view title) {
    if (game_->Ended()) return false;
    GameMessageBox box(QMessageBox::Critical, FromUtf8(title), FromUtf8(prompt),
                       QMessageBox::Yes | QMessageBox::No, parts_.window);
    return box.exec() == QMessageBox::Yes;
}

void WindowHost::ShowWarning(std::string_view text, std::string_view title) {
    if (game_->Ended()) return;
    GameMessageBox box(QMessageBox::Warning, FromUtf8(title), FromUtf8(text), QMessageBox::Ok,
                       parts_.window);
    box.exec();
}

void WindowHost::Beep() {
    sound_.Bell();
}

// What the game tells is what a screen reader hears, spoken once the handler is done.
void WindowHost::Tell(GameEvent event) {
    const GameState& s = game_->state;
    switch (event) {
        case GameEvent::BoardDealt:
            return Announce(*parts_.window, NewGameNews(s));
        case GameEvent::ComputerMoved:
            return Announce(*parts_.window, MoveNews(s));
        case GameEvent::PickRefused:
            // Before the first deal both sides hold black, which is no colour to name.
            if (s.ComputerColor >= FirstColour) Announce(*parts_.window, RefusalNews(s));
            return;
        case GameEvent::PlayerWon:
        case GameEvent::ComputerWon:
            return Announce(*parts_.window, EndNews(s));
    }
}

void WindowHost::ProcessPendingEvents() {
    QCoreApplication::processEvents();
}

// The game has marked itself ended before it calls this. Closing every window ends each nested
// event loop (a message box, say) as well as the main one; the code that called this returns
// and finds the game ended.
void WindowHost::EndProgram() {
    for (QTimer* timer : parts_.timers)
        timer->stop();
    QApplication::closeAllWindows();
    QCoreApplication::exit(0);
}

}  // namespace dyeland
