#pragma once

#include <functional>

class QKeyEvent;

// The chart window as the floating panels hand the keyboard back to it;
// either may stay unset.
struct ChartKeyboard {
    std::function<void()> makeKeyWindow;
    std::function<void(QKeyEvent*)> keyDown;

    void makeKey() const
    {
        if (makeKeyWindow)
            makeKeyWindow();
    }
};
