// The game's doors on nothing real, for tests, the fuzz target and the benchmarks: a window that
// remembers what the game did to it and answers from a script, a seeded random source with a
// clock that stands still, and score files in memory.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "game/board.h"
#include "game/host.h"

namespace dyeland::testing {

class FakeHost : public GameWindow, public Sources, public ScoreFile {
public:
    Host Parts() { return {*this, *this, *this}; }
    // Uniform values from a fixed seed, the same on every run.
    void Seed(std::uint64_t seed) {
        randomSource = [source = std::make_shared<StandardSources>(seed)] {
            return source->Random();
        };
    }

    std::map<Caption, std::string> captions;
    std::map<MenuItem, bool> checks;
    std::map<Timer, bool> timers;
    int timerRestarts = 0;  // a running timer switched on again, which restarts its interval
    bool autoRedraw = false;
    Grid shown, retained;  // each cell's last colour on the screen and in the retained image
    int solidDraws = 0, beeps = 0, endCalls = 0;
    std::vector<std::pair<std::string, std::string>> questions;  // prompt, title
    std::deque<bool> answers;  // Yes/No in order; an unscripted question is answered No
    std::vector<std::string> warnings;
    std::optional<GameEvent> lastTold;
    // Run at a yield (once, then cleared) and inside a question before it is answered.
    std::function<void()> onYield, onQuestion;
    std::function<double()> randomSource;  // 0 without one
    std::map<std::string, std::vector<unsigned char>> files;
    std::string fileError;  // a non-empty text makes reads and saves fail

    void SetCaption(Caption c, std::string_view text) override { captions[c] = text; }
    bool IsChecked(MenuItem m) const override { return checks.contains(m) && checks.at(m); }
    void SetChecked(MenuItem item, bool checked) override { checks[item] = checked; }
    bool IsTimerEnabled(Timer t) const override { return timers.contains(t) && timers.at(t); }
    void SetTimerEnabled(Timer t, bool on) override {
        timerRestarts += on && IsTimerEnabled(t);
        timers[t] = on;
    }
    void SetAutoRedraw(bool on) override { autoRedraw = on; }
    void DrawSolidBox(int x1, int y1, int, int, int colour) override {
        ++solidDraws;
        for (Grid* image : {&shown, autoRedraw ? &retained : &shown})
            (*image)(x1 / CellUnits, y1 / CellUnits) = static_cast<std::int16_t>(colour);
    }
    void DrawOutlineBox(int, int, int, int, int) override {}
    void FocusStepButton() override {}
    bool AskYesNo(std::string_view prompt, std::string_view title) override {
        questions.emplace_back(prompt, title);
        if (onQuestion) onQuestion();
        const bool yes = !answers.empty() && answers.front();
        if (!answers.empty()) answers.pop_front();
        return yes;
    }
    void ShowWarning(std::string_view text, std::string_view) override {
        warnings.emplace_back(text);
    }
    void Beep() override { ++beeps; }
    void Tell(GameEvent event) override { lastTold = event; }
    void ProcessPendingEvents() override {
        if (auto script = std::exchange(onYield, nullptr)) script();
    }
    void EndProgram() override { ++endCalls; }
    double Random() override { return randomSource ? randomSource() : 0.0; }
    std::int64_t MillisecondsSinceStart() const override { return 0; }
    FileContents Read(std::string_view name, std::size_t maxBytes) override {
        if (!fileError.empty()) return {{}, fileError};
        auto& file = files[std::string(name)];  // created empty when missing
        return {{file.begin(), file.begin() + static_cast<long>(std::min(maxBytes, file.size()))},
                {}};
    }
    std::string Update(std::string_view name, std::size_t maxBytes, const Change& change) override {
        if (!fileError.empty()) return fileError;
        auto& file = files[std::string(name)];
        if (auto next = change({file.data(), std::min(maxBytes, file.size())})) file = *next;
        return {};
    }
    std::string Remove(std::string_view name, std::size_t) override {
        files.erase(std::string(name));
        return {};
    }
};

}  // namespace dyeland::testing
