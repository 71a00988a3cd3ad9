// SPDX-License-Identifier: MIT
#pragma once

class QWidget;

// Where a box or dialog opens under a window manager. The window manager stacks a window above the one it
// is transient for, and places it beside the focused window when it is not transient for that one, so a
// box that opens while another waits (the winning score's question behind the pause) belongs to the box
// on top, not to the game's window.
namespace WindowPlacement {
// The window a box or dialog opening now belongs to: the modal window on top other than `opening` itself,
// else the owner's window while it is on screen, else none (a box at start-up).
QWidget *ownerOnTop(QWidget *owner, const QWidget *opening = nullptr);
// Makes `window`, while it is being shown, transient for `owner` and centres it over the owner's frame (over
// the screen without an owner), wholly on that screen. Its own frame is not known before the window manager
// has drawn it: the owner's stands in for it.
void placeOver(QWidget *window, QWidget *owner);
} // namespace WindowPlacement
