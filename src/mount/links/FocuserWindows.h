#pragma once

#include "mount/links/ConnectMenuLinks.h"

#include <initializer_list>

// The focusers whose window Escape on a hand-control panel brings forward,
// asked in this order. A null one is a focuser the program does not have.
struct FocuserWindows {
    struct Focuser {
        const MenuDevice* controller = nullptr;
        MenuPanel* window = nullptr;
    };
    Focuser robo;
    Focuser optec;
    Focuser jmi;

    // Brings the first connected focuser's window to the front; false when none is.
    bool raiseConnected() const
    {
        for (const Focuser& focuser : {robo, optec, jmi}) {
            if (focuser.controller && focuser.window && focuser.controller->isConnected()) {
                focuser.window->show();
                return true;
            }
        }
        return false;
    }
};
