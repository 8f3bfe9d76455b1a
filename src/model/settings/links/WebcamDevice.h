#pragma once

// The webcam controller, as far as the quit sequence needs it.
class WebcamDevice {
public:
    virtual ~WebcamDevice() = default;
    // Ends a recording with a complete movie file and closes the device.
    virtual void disconnect() = 0;
};
