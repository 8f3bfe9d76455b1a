#pragma once

#include <QString>

// What outside programs reach of the mount controller.
class RemoteMount {
public:
    virtual ~RemoteMount() = default;
    virtual bool isConnected() const = 0;
    virtual bool isSlewing() const = 0;
    // Degrees.
    virtual double scopeAz() const = 0;
    virtual double scopeRA() const = 0;
    virtual double scopeDec() const = 0;
    // Asks the mount for a fresh slew check, answered later.
    virtual void genericSlewDetect() = 0;
    // Telescope slot 0..4.
    virtual void scopeConnect(int slot) = 0;
    // Seconds between polls; 0 stops polling.
    virtual void setTimerRate(float seconds) = 0;
    virtual void writeDebugFile(const QString& line) = 0;
};
