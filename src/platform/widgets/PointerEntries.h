#pragma once

class QWidget;

// Tells, for each of the program's windows, whether the pointer was moved
// into it or a window came, went, moved or changed size under a still
// pointer. The window system tells a window the pointer entered either way,
// and tells the program of the window that changed only afterwards; the
// crossing itself says which it was: under a still pointer it comes where
// the program last saw the pointer. Reads the X server's events, before
// the platform turns them into the program's.
namespace PointerEntries {

// Starts reading the crossings. Once per application; later calls do nothing.
void watch();

// Whether the pointer was moved into `window` and has not left it since:
// false once it left, while no crossing into it has been read (one the
// platform made up as a menu closed), and when the window under a still
// pointer changed.
bool movedInto(const QWidget& window);

}  // namespace PointerEntries
