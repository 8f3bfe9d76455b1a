#pragma once

// The bottom readout panel of the main window.
class BottomPanel {
public:
    virtual ~BottomPanel() = default;
    // Refreshes the readouts; the last step of every run of the update chain.
    virtual void updateBottomPanel() = 0;
    // Shows the twilight level the projection pass just left.
    virtual void updateTwilight() = 0;
};
