// The game's door to the window: the Host operations the core calls, carried out on the main
// window's controls, with the random source, the clock, the event sound and the files. MainWindow
// builds the window and hands its controls over; the game sees nothing else of it.
#pragma once

#include <QElapsedTimer>
#include <array>
#include <functional>

#include "desktop/EventSound.h"
#include "game/game.h"
#include "game/host.h"

class QAction;
class QPushButton;
class QTimer;
class QWidget;

namespace dyeland {

class BoardPicture;
class ValueLabel;

// The program's random source and clock. Left empty, the source is seeded from the system and
// the clock counts from the window's creation; tests and benchmarks hand in fixed ones.
struct Sources {
    std::function<double()> random;  // a value in [0, 1)
    std::function<std::int64_t()> millisecondsSinceLoad;
};

// The controls the game writes and reads, as the window built them.
struct WindowParts {
    QWidget* window = nullptr;
    QPushButton* startButton = nullptr;
    QPushButton* stepButton = nullptr;
    std::array<ValueLabel*, 7> captions{};  // in Caption's order, after Start
    std::array<QAction*, 4> checks{};       // MenuItem order
    std::array<QTimer*, 2> timers{};        // Timer order
    BoardPicture* board = nullptr;
};

class WindowHost : public Host {
public:
    explicit WindowHost(Sources sources = {});

    // The window's controls and the game on them; before this no operation may be called.
    void Attach(const WindowParts& parts, const Game& game);

    void SetCaption(Caption control, std::string_view text) override;
    bool IsChecked(MenuItem item) const override;
    void SetChecked(MenuItem item, bool checked) override;
    bool IsTimerEnabled(Timer timer) const override;
    void SetTimerEnabled(Timer timer, bool enabled) override;
    void SetAutoRedraw(bool on) override;
    void DrawSolidBox(int x1, int y1, int x2, int y2, int colour) override;
    void DrawOutlineBox(int x1, int y1, int x2, int y2, int colour) override;
    void BoardDrawn() override;
    void FocusStepButton() override;
    bool AskYesNo(std::string_view prompt, std::string_view title) override;
    void ShowWarning(std::string_view text, std::string_view title) override;
    void Beep() override;
    void ProcessPendingEvents() override;
    void EndProgram() override;
    double Rnd() override;
    std::int64_t MillisecondsSinceLoad() const override;
    FileContents ReadFile(std::string_view name, std::size_t maxBytes) override;
    std::string UpdateFile(std::string_view name, std::size_t maxBytes,
                           const FileChange& change) override;
    std::string RemoveFile(std::string_view name, std::size_t maxBytes) override;

protected:
    const Game& game() const { return *game_; }

private:
    WindowParts parts_;
    const Game* game_ = nullptr;
    Sources sources_;
    QElapsedTimer loadClock_;
    EventSound sound_;
    // What the game did since a screen reader was last told.
    bool newGame_ = false;
    bool computerMoved_ = false;
};

}  // namespace dyeland
