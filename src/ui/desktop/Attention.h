// Asking a Wayland desktop to mark the game's window as wanting the player, without ever
// bringing it up over the window the player chose.
#pragma once

class QWindow;

namespace dyeland {

// Asks the desktop to mark the window as wanting the player's attention, on Wayland, until the
// player comes back to it. Does nothing on other platforms.
void AskForAttention(QWindow& window);

}  // namespace dyeland
