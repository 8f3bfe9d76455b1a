#pragma once

// The webcam autoguider as the mount controller asks it.
class AutoguiderLink {
public:
    virtual ~AutoguiderLink() = default;
    virtual bool isCalibrating() const = 0;
    virtual void setCalibrateEnable(bool enabled) = 0;
    // Corrections go to the GPUSB adapter, which keeps calibration possible.
    virtual bool useGPUSB() const = 0;
};
