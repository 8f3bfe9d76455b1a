#pragma once

// The main window's toolbar as the launch builds it.
class MainToolbar {
public:
    virtual ~MainToolbar() = default;
    virtual void setupToolbar() = 0;
    virtual void clearToolTips() = 0;
};
