#pragma once

// The main window as the launch sequence drives it.
class LaunchWindow {
public:
    virtual ~LaunchWindow() = default;
    virtual void setToolbarShown(bool shown) = 0;
    // Brings the window in front and gives it the keyboard.
    virtual void makeKeyWindow() = 0;
};
