#pragma once

#include <QtGlobal>

// What the all-sky schedule asks of the camera's controller. Everything here
// runs on the main thread; the controller keeps the transfer on its worker.
class AllSkyCamera {
public:
    virtual ~AllSkyCamera() = default;
    // Starts an exposure of `seconds` of `imageType` (AllSkyFrame's types) in
    // the current read-out mode; false when the camera refused it.
    virtual bool startExposure(float seconds, quint8 imageType) = 0;
    // Stops the exposure under way; false when the camera refused.
    virtual bool abortExposure() = 0;
    // No exposure and no transfer runs.
    virtual bool isIdle() const = 0;
    // The read-out mode (AllSkyFrame's modes) and the image type the user chose.
    virtual quint8 readOutMode() const = 0;
    virtual quint8 imageType() const = 0;
    // Seconds the last complete transfer took; 0 or less before the first.
    virtual float lastTransferSeconds() const = 0;
    // The dew heater on the X-plus relay; the result is not looked at.
    virtual void setHeater(bool on) = 0;
    // Whether a dark frame is held for subtraction, and forgetting it.
    virtual bool hasDarkFrame() const = 0;
    virtual void forgetDarkFrame() = 0;
    // Sends the sub-frame square ('S'): left column, top row counted from the
    // top, side; false when the camera refused.
    virtual bool defineSubFrame(quint16 x, quint16 y, quint8 side) = 0;
};
