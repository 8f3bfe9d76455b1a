#pragma once

class QDialog;
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
// Shows `window` and raises it, the keyboard staying with the window that
// has it: for a window the program puts up beside the one it gives the
// keyboard (the telescope view beside a mount's hand panel).
void showInFront(QWidget& window);

// Whether `window`, which takes the keyboard when the pointer enters it,
// may take it now: only when the user moved the pointer into it. Not when
// one of the windows (the program's or another's) came, went, moved or
// changed size under a still pointer, whether the program or the window
// manager did it: the window now under the pointer is told it entered,
// though the user did not move it there. A menu closing over a window, or
// the telescope view moving or hiding from under the pointer, leaves the
// keyboard where the user has it.
bool mayTakeKeyOnEntry(const QWidget& window);
// Starts reading how the pointer comes into the program's windows, for
// mayTakeKeyOnEntry(); a window that takes the keyboard on entry calls it
// once made. Once per application; later calls do nothing.
void watchPointer();

// The window a dialog opens over: the modal dialog up now, else the active
// window (null while another program is active).
QWidget* dialogOwner();

// Every alert, question and dialog of the program stands above all of its
// windows, the stay-on-top panels (hand panel, focusers) included, whichever
// window was active: else a modal one may open behind a panel, and every
// click elsewhere is refused with nothing on screen to say why.
// Keeps `dialog` on top from now on; call before it first shows.
void keepOnTop(QWidget& dialog);
// Runs `dialog` modally, kept on top and raised once it shows; its result.
int execOnTop(QDialog& dialog);

}  // namespace WindowStacking
