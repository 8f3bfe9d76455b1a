#pragma once

// The main window's menus as the keyboard shortcuts run their items.
class ChartMenus {
public:
    virtual ~ChartMenus() = default;
    // The Setup menu's item with this tag (1 home site, 10 real-time clock).
    virtual void setupMenuAction(int tag) = 0;
    // The View menu's item with this tag (15 night vision).
    virtual void viewMenuAction(int tag) = 0;
};
