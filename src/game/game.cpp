// The window's life outside the rules: load values, the ticks, modal boxes and the end of
// the program.
#include "game/game.h"

#include <string>

namespace dyeland {

void Game::Form_Load() {
    state.SetLoadValues();
    host_.SetAutoRedraw(true);
}

void Game::Timer1_Timer() {
    if (ended_) return;
    host_.SetCaption(Caption::Label6, std::to_string(state.PlayerCount));
    host_.SetCaption(Caption::Label7, std::to_string(state.ComputerCount));
}

void Game::tmrRnd_Timer() {
    if (ended_) return;
    // Discarded on purpose: how many draws happen before the first deal varies the deals.
    (void)host_.Rnd();
}

void Game::EndProgram() {
    if (ended_) return;
    ended_ = true;
    host_.EndProgram();
}

bool Game::Ask(std::string_view prompt, std::string_view title) {
    ++openBoxes_;
    bool yes = host_.AskYesNo(prompt, title);
    --openBoxes_;
    return yes;
}

void Game::Warn(std::string_view text) {
    ++openBoxes_;
    host_.ShowWarning(text, AppTitle);
    --openBoxes_;
}

}  // namespace dyeland
