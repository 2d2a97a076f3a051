// placeholder: filled in by the high-score file work
#include "game/high_score_file.h"

#include "game/game.h"

namespace dyeland {
float ReadRecord(std::span<const unsigned char>, int) { return 0; }
std::vector<unsigned char> WithRecord(std::span<const unsigned char> file, int, float) {
    return {file.begin(), file.end()};
}
void Game::ReadHighScore() {}
void Game::SaveHighScore() {}
void Game::DeleteHighScoreFile() {}
}  // namespace dyeland
