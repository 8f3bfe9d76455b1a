#pragma once

#include <QString>

// The main window as the menus and the toolbar show, hide and key it.
class MainWindowControl {
public:
    virtual ~MainWindowControl() = default;
    virtual bool isWindowVisible() const = 0;
    virtual void orderFront() = 0;
    virtual void orderOut() = 0;
    // Redraws the whole window.
    virtual void displayWindow() = 0;
    virtual void makeKeyWindow() = 0;
    virtual void setTitle(const QString& title) = 0;
    virtual void toggleFullScreen() = 0;
    // Set while the user keeps the chart closed; it then draws nothing.
    virtual bool keepSWClosed() const = 0;
    virtual void setKeepSWClosed(bool keepClosed) = 0;
};
