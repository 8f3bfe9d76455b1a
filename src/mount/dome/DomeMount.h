#pragma once

#include <QtGlobal>

#include <functional>

// What the dome controllers need of the mount: whether one is connected,
// where its polled position points now, the port chosen in the Connect menu,
// and the worker that runs the dome board's long jobs.
class DomeMount {
public:
    virtual ~DomeMount() = default;
    virtual bool isConnected() const = 0;
    // True once the connected mount's position has been read: the dome does
    // not move before.
    virtual bool hasPosition() const = 0;
    // The polled position's azimuth now, degrees (0 = north, increasing east).
    virtual double scopeAzimuth() const = 0;
    // The polled position's hour angle (radians) and declination (radians).
    virtual double scopeHourAngle() const = 0;
    virtual double scopeDec() const = 0;
    // The site's latitude, degrees north.
    virtual double latitude() const = 0;
    // 0 = scan every port, n = port list entry n - 1.
    virtual quint16 selectPort() const = 0;
    virtual void setIsBlockPolling(bool blocked) = 0;
    // Starts the worker unless it runs.
    virtual void launchThread() = 0;
    // Queues a numbered job for the worker; false when refused (no port).
    virtual bool postJob(int id) = 0;
    // Queues work of a device's own (an exchange) for the worker, started if
    // need be.
    virtual void postWork(std::function<void()> work) = 0;
};
