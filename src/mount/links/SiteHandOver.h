#pragma once

#include <QString>

// What the preferences window takes from a mount that reported its site.
class SiteHandOver {
public:
    virtual ~SiteHandOver() = default;
    // Degrees, north and east positive; a time zone of -999 hours leaves it.
    virtual void setLocation(double latitude, double longitude, double timeZoneHours) = 0;
    // Stores the location just set under `siteName` and makes it current.
    virtual void lumarikSiteGoto(const QString& siteName) = 0;
};
