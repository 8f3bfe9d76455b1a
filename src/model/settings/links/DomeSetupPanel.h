#pragma once

// The generic dome's set-up panel: which dome's values saveDomePrefs stores
// depends on whether it is on screen.
class DomeSetupPanel {
public:
    virtual ~DomeSetupPanel() = default;
    // Shows the dome controller's geometry, outputs and baud rate.
    virtual void setDomeSetupText() = 0;
    // Shows the dome controller's ticks per turn and overshoot.
    virtual void setDomeCalText() = 0;
    virtual void setIsGEM(bool germanEquatorial) = 0;
    virtual bool isGEM() const = 0;
    virtual bool isVisible() const = 0;
};
