#pragma once

#include "find/FindResultCode.h"

#include <QString>

// The finder's window-less search and its Track action.
class CompanionFinder {
public:
    virtual ~CompanionFinder() = default;
    // A name, or typed coordinates; selects what it finds.
    virtual FindResultCode findVoiceName(const QString& name) = 0;
    // Tracks the selection in the telescope view and, with a mount, goes to it.
    virtual void findTrackAction() = 0;
};
