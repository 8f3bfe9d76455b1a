#pragma once

// The chart's view direction and field, degrees, as the companion turns it.
class CompanionChart {
public:
    virtual ~CompanionChart() = default;
    virtual double azimuth() const = 0;
    virtual double altitude() const = 0;
    virtual double viewAngle() const = 0;
    virtual void setViewAngle(double degrees) = 0;
    virtual void setAltitude(double degrees) = 0;
    virtual void setAzimuth(double degrees) = 0;
    // Re-projects and redraws the chart after a turn.
    virtual void updateSkyView() = 0;
};
