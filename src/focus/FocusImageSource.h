#pragma once

#include "focus/FocusPixels.h"

// A camera that keeps a grey copy of its latest frame for the focusers (the
// webcam, the Canon live view). The camera sets the new-image flag when it
// refills the copy and refills only a copy whose flag is clear; a focuser
// clears the flag to ask for the next frame.
class FocusImageSource {
public:
    virtual ~FocusImageSource() = default;
    virtual bool isCameraConnected() const = 0;
    virtual bool hasFocusImage() const = 0;
    virtual void setHasFocusImage(bool fresh) = 0;
    // Valid until the flag is next cleared.
    virtual FocusPixels focusImage() const = 0;
};
