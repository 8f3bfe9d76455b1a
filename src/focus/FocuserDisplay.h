#pragma once

#include <QString>

// The fields every serial focuser window shows, and its place on screen.
class FocuserDisplay {
public:
    virtual ~FocuserDisplay() = default;
    virtual void showStatus(const QString& text) = 0;
    virtual void showPosition(const QString& text) = 0;
    virtual void showTemperature(const QString& text) = 0;
    virtual void showCriticalFocusZone(const QString& text) = 0;
    virtual void orderFront() = 0;
    virtual void orderOut() = 0;
};
