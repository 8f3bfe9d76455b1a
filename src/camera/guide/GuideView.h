#pragma once

#include <QString>

// The guider's panel as the guider updates it.
class GuideView {
public:
    virtual ~GuideView() = default;
    virtual void setGuideStatus(const QString& text) = 0;
    virtual void setCalibrateTitle(const QString& title) = 0;
    virtual void setGuideTitle(const QString& title) = 0;
    virtual void setGuideEnabled(bool enabled) = 0;
    virtual void setCalibrateEnabled(bool enabled) = 0;
    // The Calibrate button, the calibration seconds and the Dec+ and Dec− boxes.
    virtual void setGuideControlsEnabled(bool enabled) = 0;
};

// The companion app's handler, told of each recorded guide error.
class GuideDataListener {
public:
    virtual ~GuideDataListener() = default;
    virtual void requestGuideData() = 0;
};
