// A Host that does nothing, so the core's own work is what gets measured.
#pragma once

#include <random>

#include "game/host.h"

namespace dyeland::bench {

class NullHost : public Host {
public:
    void SetCaption(Caption, std::string_view) override {}
    bool IsChecked(MenuItem item) const override {
        return item == MenuItem::Classic || item == MenuItem::GridLines;
    }
    void SetChecked(MenuItem, bool) override {}
    bool IsTimerEnabled(Timer) const override { return false; }
    void SetTimerEnabled(Timer, bool) override {}
    void SetAutoRedraw(bool) override {}
    void DrawSolidBox(int, int, int, int, int) override {}
    void DrawOutlineBox(int, int, int, int, int) override {}
    void FocusStepButton() override {}
    bool AskYesNo(std::string_view, std::string_view) override { return true; }
    void ShowWarning(std::string_view, std::string_view) override {}
    void Beep() override {}
    void ProcessPendingEvents() override {}
    void EndProgram() override {}
    double Rnd() override { return static_cast<double>(random_() >> 11) * 0x1.0p-53; }
    std::int64_t MillisecondsSinceLoad() const override { return 0; }
    FileContents ReadFile(std::string_view, std::size_t) override { return {}; }
    std::string UpdateFile(std::string_view, std::size_t, const FileChange&) override { return {}; }
    std::string RemoveFile(std::string_view, std::size_t) override { return {}; }

private:
    std::mt19937_64 random_{12345};
};

}  // namespace dyeland::bench
