#pragma once

// True for a key that only modifies others (Shift, Ctrl, Alt, Meta, the lock
// keys): pressed alone it is no command. `key` a Qt::Key.
bool isModifierKey(int key);
