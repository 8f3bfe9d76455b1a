#pragma once

#include <QString>

// What the companion server reads and sets of the settings object.
class CompanionSettings {
public:
    virtual ~CompanionSettings() = default;
    virtual bool isDebug() const = 0;
    virtual bool isExtConnect() const = 0;
    // The site, degrees, north and east positive.
    virtual double latitude() const = 0;
    virtual double longitude() const = 0;
    virtual void setLatitude(double degrees) = 0;
    virtual void setLongitude(double degrees) = 0;
    // The current telescope slot's name; empty when none is chosen.
    virtual QString telescopeName() const = 0;
};
