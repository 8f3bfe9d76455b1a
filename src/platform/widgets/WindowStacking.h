#pragma once

class QWidget;

// How the program's windows stack under the window manager.
namespace WindowStacking {

// Makes `window` transient for `owner` while `owner` shows, so the window
// manager keeps it above `owner` however often `owner` is activated, without
// `owner` owning the widget (its lifetime stays with whoever made it). While
// `owner` is closed, `window` stands on its own and keeps the program running.
void keepAbove(QWidget& window, QWidget& owner);

// Shows `window`, raises it and gives it the keyboard: for a window the user
// asked for by name.
void bringToFront(QWidget& window);

}  // namespace WindowStacking
