#pragma once

#include "model/records/FloatPoint.h"

#include <optional>

// One direction at a time between the equatorial frame, the site's horizon
// frame and the chart. Azimuth counts from north through east.
namespace SkyCoordinates {

// The site and moment: latitude and local sidereal time, radians.
struct Site {
    double latitude;
    double lst;
};

// The chart: the view centre (degrees), the projection scale (points) and the
// sky view's size (points); the centre of the chart is half the size.
struct View {
    double altitude;
    double azimuth;
    double radius;
    float width;
    float height;
};

struct Position {
    double alt;  // degrees
    double az;   // degrees, 0..360
    double ra;   // degrees of date, 0..360
    double dec;  // degrees of date
};

// ra, dec (radians, of date) → az (radians, 0..2π) and alt (radians).
void CalculateAzFromRA(double ra, double dec, const Site& site, double* az, double* alt);

// az, alt (DEGREES) → ra (radians, 0..2π) and dec (radians).
void CalcRAFromAz(double az, double alt, const Site& site, double* ra, double* dec);

// az, alt (radians) → chart point (y upward): stereographic about the view
// centre, a direction at angle θ from it lands radius·tan(θ/2) away.
FloatPoint CalculateAzPoint(double az, double alt, const View& view);

// Chart point → altitude, azimuth, right ascension and declination; none when
// the right ascension falls outside 0..2π.
std::optional<Position> calculateCursorPosition(FloatPoint p, const View& view, const Site& site);

// Equatorial unit vector of date → right ascension (0..2π) and declination, radians.
void raDecOfVector(double x, double y, double z, double* ra, double* dec);

}  // namespace SkyCoordinates
