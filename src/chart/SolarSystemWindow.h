#pragma once

// The solar-system window as the menus and the toolbar show and hide it.
class SolarSystemWindow {
public:
    virtual ~SolarSystemWindow() = default;
    virtual bool isWindowVisible() const = 0;
    virtual void display() = 0;
    virtual void orderFront() = 0;
    virtual void orderOut() = 0;
    // Refills the plotted positions for the drawer's day offset.
    virtual void updatePositions() = 0;

    // Hides the window when it shows, else shows it with fresh positions.
    void toggleWindow()
    {
        if (isWindowVisible()) {
            orderOut();
        } else {
            updatePositions();
            orderFront();
        }
    }
};
