// A Host for core tests that remembers what the game did to it and answers from a script.
#pragma once

#include <algorithm>
#include <deque>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "game/board.h"
#include "game/host.h"

namespace dyeland::testing {

class FakeHost : public Host {
public:
    struct Box {
        int x1, y1, x2, y2, colour;
        bool solid;
        bool retained;  // AutoRedraw was on when it was drawn
    };

    std::map<Caption, std::string> captions;
    std::map<MenuItem, bool> checks{{MenuItem::mnuClassic, true}, {MenuItem::mnuLine, true}};
    std::map<Timer, bool> timers{{Timer::Timer1, true}};
    std::vector<std::pair<Timer, bool>> timerSwitches;  // every SetTimerEnabled, in order
    bool autoRedraw = false;
    std::vector<Box> draws;
    // What each cell showed in the last solid box drawn over it.
    Grid shown;
    int beeps = 0, stepFocus = 0, endCalls = 0, yields = 0;

    std::vector<std::pair<std::string, std::string>> questions;  // prompt, title
    std::deque<bool> answers;  // Yes/No in order; an unscripted question is answered No
    std::vector<std::string> warnings;
    // Runs at every ProcessPendingEvents, and inside a question before it is answered.
    std::function<void()> onYield;
    std::function<void()> onQuestion;
    // Runs at every switch of the retained drawing: the computer's turn begins with one.
    std::function<void(bool)> onAutoRedraw;

    std::deque<double> randoms;  // handed out first; then the source, else 0
    std::function<double()> randomSource;
    int randomDraws = 0;
    std::int64_t msSinceLoad = 0;

    std::map<std::string, std::vector<unsigned char>> files;
    std::string readError, replaceError, removeError;  // a non-empty text makes that call fail
    int replaces = 0;

    std::string CaptionOf(Caption c) const { return captions.contains(c) ? captions.at(c) : ""; }
    int SolidDraws() const { return Count(true); }
    int OutlineDraws() const { return Count(false); }

    void SetCaption(Caption control, std::string_view text) override {
        captions[control] = std::string(text);
    }
    bool IsChecked(MenuItem item) const override {
        return checks.contains(item) && checks.at(item);
    }
    void SetChecked(MenuItem item, bool checked) override { checks[item] = checked; }
    bool IsTimerEnabled(Timer timer) const override {
        return timers.contains(timer) && timers.at(timer);
    }
    void SetTimerEnabled(Timer timer, bool enabled) override {
        timerSwitches.emplace_back(timer, enabled);
        timers[timer] = enabled;
    }
    void SetAutoRedraw(bool on) override {
        autoRedraw = on;
        if (onAutoRedraw) onAutoRedraw(on);
    }
    void DrawSolidBox(int x1, int y1, int x2, int y2, int colour) override {
        draws.push_back({x1, y1, x2, y2, colour, true, autoRedraw});
        if (x1 % CellUnits == 0 && y1 % CellUnits == 0 && x1 >= 0 && y1 >= 0 &&
            x1 < BoardSide * CellUnits && y1 < BoardSide * CellUnits) {
            shown(x1 / CellUnits, y1 / CellUnits) = static_cast<std::int16_t>(colour);
        }
    }
    void DrawOutlineBox(int x1, int y1, int x2, int y2, int colour) override {
        draws.push_back({x1, y1, x2, y2, colour, false, autoRedraw});
    }
    void FocusStepButton() override { ++stepFocus; }
    bool AskYesNo(std::string_view prompt, std::string_view title) override {
        questions.emplace_back(prompt, title);
        if (onQuestion) onQuestion();
        if (answers.empty()) return false;
        bool yes = answers.front();
        answers.pop_front();
        return yes;
    }
    void ShowWarning(std::string_view text, std::string_view) override {
        warnings.emplace_back(text);
    }
    void Beep() override { ++beeps; }
    void ProcessPendingEvents() override {
        ++yields;
        if (onYield) {
            // A handler run here may yield again; it must not re-run the same script.
            auto script = std::move(onYield);
            onYield = nullptr;
            script();
        }
    }
    void EndProgram() override { ++endCalls; }
    double Rnd() override {
        ++randomDraws;
        if (randoms.empty()) return randomSource ? randomSource() : 0.0;
        double r = randoms.front();
        randoms.pop_front();
        return r;
    }
    std::int64_t MillisecondsSinceLoad() const override { return msSinceLoad; }
    FileContents ReadFile(std::string_view name, std::size_t maxBytes) override {
        if (!readError.empty()) return {{}, readError};
        auto& file = files[std::string(name)];  // created empty when missing
        std::size_t n = std::min(maxBytes, file.size());
        return {std::vector<unsigned char>(file.begin(), file.begin() + static_cast<long>(n)), {}};
    }
    std::string UpdateFile(std::string_view name, std::size_t maxBytes,
                           const FileChange& change) override {
        if (!replaceError.empty()) return replaceError;
        auto& file = files[std::string(name)];
        std::vector<unsigned char> current(
            file.begin(), file.begin() + static_cast<long>(std::min(maxBytes, file.size())));
        if (auto next = change(current)) {
            ++replaces;
            file = std::move(*next);
        }
        return {};
    }
    std::string RemoveFile(std::string_view name) override {
        if (!removeError.empty()) return removeError;
        files.erase(std::string(name));
        return {};
    }

private:
    int Count(bool solid) const {
        return static_cast<int>(std::count_if(draws.begin(), draws.end(),
                                              [solid](const Box& b) { return b.solid == solid; }));
    }
};

}  // namespace dyeland::testing
