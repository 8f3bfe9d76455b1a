#pragma once

// What the settings object asks of the mount controller: the stored poll rate
// and Gemini speed at start, and the disconnect at quit.
class MountDevice {
public:
    virtual ~MountDevice() = default;
    // Poll interval in seconds.
    virtual void setTimerRate(float seconds) = 0;
    // A Gemini baud menu tag: 42 4800, 43 9600, 44 19200, 45 38400, 47 28800.
    virtual void setGeminiBaud(int tag) = 0;
    virtual bool isConnected() const = 0;
    virtual void disconnect() = 0;
};
