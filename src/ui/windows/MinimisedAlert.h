// The borderless alert that blinks "Atas...!" near the top of the screen while the main window
// is minimised.
#pragma once

#include <QWidget>
#include <optional>

class QLabel;
class QPushButton;
class QTimer;

namespace dyeland {

class MinimisedAlert : public QWidget {
    Q_OBJECT
public:
    // Each blink phase lasts this long.
    static constexpr int PhaseMs = 500;

    // mainWindow is the window whose state ends the blinking.
    explicit MinimisedAlert(const QWidget& mainWindow);

    // Shows the alert, loading it first when it is not loaded. An alert already up stays as
    // it is, its blinking untouched.
    void ShowAlert();
    const QTimer& PhaseTimer() const { return *phaseTimer_; }

    // Once, 100 ms after the alert is loaded: starts the blinking.
    void StartDelayEnded();
    // Starts the blinking unless it is already running, and returns at once.
    void StartBlinking();
    // The end of a blink phase: the label changes, then the main window's state is checked.
    void BlinkPhaseEnded();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void Load();
    void Unload();

    const QWidget& mainWindow_;
    QLabel* label_;
    QPushButton* startButton_;
    QTimer* startDelay_;
    QTimer* phaseTimer_;
    // Empty until the first phase ends; then 1 while the label is hidden. It lives as long as
    // the program, so a new alert goes on where the last one stopped.
    std::optional<int> blinkState_;
    bool loaded_ = false;
    bool blinking_ = false;
};

}  // namespace dyeland
