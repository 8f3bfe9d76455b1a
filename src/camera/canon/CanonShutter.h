#pragma once

#include <cstdint>

// The DSUSB adapter that holds a camera's shutter line closed for bulb
// exposures. The open and close calls answer 0 on success, 0x8B on failure.
class CanonShutter {
public:
    virtual ~CanonShutter() = default;
    virtual bool isDSUSBConnected() const = 0;
    virtual std::uint32_t openDSShutter() = 0;
    virtual std::uint32_t closeDSShutter() = 0;
};
