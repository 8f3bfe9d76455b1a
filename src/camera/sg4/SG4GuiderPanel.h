#pragma once

#include "camera/sg4/SG4DevicePanel.h"

#include <optional>

// The SG-4 panel: the shared exposure controls and the guider's own.
class SG4GuiderPanel : public SG4DevicePanel {
public:
    // Each value read at connect; none for one the guider did not give.
    struct GuiderValues {
        std::optional<int> maxMove;
        std::optional<int> minMove;
        std::optional<int> xGainPercent;
        std::optional<int> yGainPercent;
    };
    virtual void showGuiderValues(const GuiderValues& values) = 0;
    // "Calibrate" or "Abort"; "Guide" or "Stop".
    virtual void setCalibrateTitle(const QString& title) = 0;
    virtual void setGuideTitle(const QString& title) = 0;
};
