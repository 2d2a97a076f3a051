// The Host operations on the main window's controls.
#include "windows/WindowHost.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <memory>
#include <random>

#include "board/BoardAccessible.h"
#include "board/BoardPicture.h"
#include "board/Controls.h"
#include "files/WorkingDirFiles.h"
#include "windows/GameMessageBox.h"
#include "windows/SpokenNews.h"

namespace dyeland {
namespace {

QString FromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// 53 random bits scaled by 2^-53: every value a multiple of 2^-53 and never 1.0.
std::function<double()> SystemRandom() {
    auto engine = std::make_shared<std::mt19937_64>(std::random_device{}());
    return [engine] { return static_cast<double>((*engine)() >> 11) * 0x1.0p-53; };
}

}  // namespace

WindowHost::WindowHost(Sources sources) : sources_(std::move(sources)) {
    if (!sources_.random) sources_.random = SystemRandom();
    loadClock_.start();
}

void WindowHost::Attach(const WindowParts& parts, const Game& game) {
    parts_ = parts;
    game_ = &game;
}

void WindowHost::SetCaption(Caption control, std::string_view text) {
    // A new game writes the Start button's caption first, and only a computer move writes the
    // colour it took.
    newGame_ = newGame_ || control == Caption::StartButton;
    computerMoved_ = computerMoved_ || control == Caption::ComputersColour;
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

// Both the opening and every computer move end here, so this is where a screen reader hears
// what they did.
void WindowHost::FocusStepButton() {
    if (newGame_) {
        Announce(*parts_.window, NewGameNews(game_->state));
    } else if (computerMoved_) {
        Announce(*parts_.window, MoveNews(game_->state));
    }
    newGame_ = computerMoved_ = false;
    parts_.stepButton->setFocus(Qt::OtherFocusReason);
}

bool WindowHost::AskYesNo(std::string_view prompt, std::string_view title) {
    if (game_->Ended()) return false;
    const GameState& s = game_->state;
    if (s.PlayerCount > WinningCount || s.ComputerCount > WinningCount) {
        Announce(*parts_.window, EndNews(s));
        computerMoved_ = false;
    }
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
    const GameState& s = game_->state;
    if (s.PlayerTurn && s.PlayerColor == s.ComputerColor && s.ComputerColor >= FirstColour)
        Announce(*parts_.window, RefusalNews(s));
    sound_.Bell();
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

double WindowHost::Rnd() {
    return sources_.random();
}

std::int64_t WindowHost::MillisecondsSinceLoad() const {
    return sources_.millisecondsSinceLoad ? sources_.millisecondsSinceLoad() : loadClock_.elapsed();
}

FileContents WindowHost::ReadFile(std::string_view name, std::size_t maxBytes) {
    return WorkingDirFiles::Read(name, maxBytes);
}

std::string WindowHost::UpdateFile(std::string_view name, std::size_t maxBytes,
                                   const FileChange& change) {
    return WorkingDirFiles::Update(name, maxBytes, change);
}

std::string WindowHost::RemoveFile(std::string_view name, std::size_t maxBytes) {
    return WorkingDirFiles::Remove(name, maxBytes);
}

}  // namespace dyeland
