#pragma once

// The readout assignment boxes of the bottom panel.
class InfoPanelLabels {
public:
    virtual ~InfoPanelLabels() = default;
    // Refreshes the boxes' labels from the assigned readouts.
    virtual void updateInfoPanelText() = 0;
};
