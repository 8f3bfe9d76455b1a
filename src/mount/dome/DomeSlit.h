#pragma once

// The domes that follow the mount, as the chart's slit marks read them.
class DomeSlit {
public:
    virtual ~DomeSlit() = default;

    // The generic dome: tracking on, its slit azimuth and lead (degrees).
    virtual bool isDomeTrack() const = 0;
    virtual double domeSkyAzimuth() const = 0;
    virtual double domeDelta() const = 0;
    // The Digital Dome Works controller: tracking on, its azimuth (degrees).
    virtual bool isDDWTracking() const = 0;
    virtual double ddwSkyAzimuth() const = 0;
};
