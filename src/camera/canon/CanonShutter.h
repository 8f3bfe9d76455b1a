#pragma once

// The DSUSB adapter that holds a camera's shutter line closed for bulb
// exposures. The open and close calls say whether the line moved.
class CanonShutter {
public:
    virtual ~CanonShutter() = default;
    virtual bool isDSUSBConnected() const = 0;
    virtual bool openDSShutter() = 0;
    virtual bool closeDSShutter() = 0;
};
