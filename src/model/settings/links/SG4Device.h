#pragma once

// The SG-4 guider and all-sky camera controller: its stored baud rate and
// schedule at start, and its disconnect at quit.
class SG4Device {
public:
    virtual ~SG4Device() = default;
    virtual void setSG4Baud(int baud) = 0;
    // Schedule times in seconds.
    virtual void setExpSchedule(float seconds) = 0;
    virtual void setDarkSchedule(float seconds) = 0;
    virtual void setHeatOnSchedule(float seconds) = 0;
    virtual void setHeatOffSchedule(float seconds) = 0;
    virtual bool isSG4Connect() const = 0;
    virtual bool isAllSkyConnect() const = 0;
    virtual bool sg4Disconnect() = 0;
};
