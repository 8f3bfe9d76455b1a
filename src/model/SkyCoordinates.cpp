#include "model/SkyCoordinates.h"

#include "model/Angles.h"
#include "model/projection/StereographicProjection.h"

#include <algorithm>
#include <cmath>

namespace {

using Angles::kDegToRad;
using Angles::kPi;
using Angles::kRadToDeg;
using Angles::kTwoPi;

// Rounding can push a sine or cosine a hair past ±1, where asin and acos give NaN.
double clampedAsin(double x) { return std::asin(std::clamp(x, -1.0, 1.0)); }
double clampedAcos(double x) { return std::acos(std::clamp(x, -1.0, 1.0)); }

double wrapOnce(double angle)
{
    if (angle < 0.0)
        angle += kTwoPi;
    if (angle >= kTwoPi)
        angle -= kTwoPi;
    return angle;
}

// The hour angle (0..2π) of a horizon direction; y and x as the inverse
// formulas build them. Both are 0 where the hour angle is undefined (a pole of
// the sky, or a site at a pole of the Earth): 0 then, not NaN.
double hourAngle(double y, double x)
{
    const double h = std::atan2(x, y);
    return h < 0.0 ? h + kTwoPi : h;
}

}  // namespace

namespace SkyCoordinates {

void CalculateAzFromRA(double ra, double dec, const Site& site, double* az, double* alt)
{
    const double h = site.lst - ra;
    const double phi = site.latitude;
    *alt = clampedAsin(std::sin(dec) * std::sin(phi) + std::cos(dec) * std::cos(phi) * std::cos(h));
    double a = std::atan2(std::sin(h), std::cos(h) * std::sin(phi) - std::cos(phi) * std::tan(dec));
    if (a < 0.0)
        a += kTwoPi;
    a -= kPi;
    if (a < 0.0)
        a += kTwoPi;
    *az = a;
}

void CalcRAFromAz(double az, double alt, const Site& site, double* ra, double* dec)
{
    az *= kDegToRad;
    alt *= kDegToRad;
    const double phi = site.latitude;
    const double d = clampedAsin(std::cos(alt) * std::cos(phi) * std::cos(az)
                                 + std::sin(alt) * std::sin(phi));
    const double y = std::sin(alt) - std::sin(phi) * std::sin(d);
    const double x = -std::cos(alt) * std::cos(phi) * std::sin(az);
    double r = site.lst - hourAngle(y, x);
    if (r < 0.0)
        r += kTwoPi;
    *ra = r;
    *dec = d;
}

FloatPoint CalculateAzPoint(double az, double alt, const View& view)
{
    const StereographicProjection projection(view.width / 2.0f, view.height / 2.0f, view.radius,
                                             view.altitude * kDegToRad, view.azimuth * kDegToRad);
    // The horizon frame's x points south and y west: azimuth + 180 degrees from x.
    const double a = az + kPi;
    const double cosAlt = std::cos(alt);
    const HorizonVector h{cosAlt * std::cos(a), cosAlt * std::sin(a), -std::sin(alt)};
    return projection.chartPoint(h, projection.depth(h));
}

std::optional<Position> calculateCursorPosition(FloatPoint p, const View& view, const Site& site)
{
    const double h0 = view.altitude * kDegToRad;
    double a0 = view.azimuth * kDegToRad + kPi;
    if (a0 >= kTwoPi)
        a0 -= kTwoPi;
    const double dx = double(p.x) - double(view.width / 2.0f);
    const double dy = double(p.y) - double(view.height / 2.0f);

    double theta = 0.0;
    double rho = 0.0;
    if (dx != 0.0 && dy != 0.0) {
        theta = std::atan(dy / dx);
        if (dx < 0.0)
            theta += kPi;
        else if (dy < 0.0)
            theta += kTwoPi;
        rho = dy / std::sin(theta);
    } else if (dy > 0.0) {
        theta = kPi / 2.0;
        rho = dy;
    } else if (dy < 0.0) {
        theta = -kPi / 2.0;
        rho = -dy;
    } else {
        rho = dx;
    }

    const double c = 2.0 * std::atan(rho / view.radius);
    const double z = clampedAcos(std::sin(h0) * std::cos(c)
                                 + std::cos(h0) * std::sin(c) * std::sin(theta));
    const double h = kPi / 2.0 - z;
    const double dA = std::sin(z) != 0.0 ? clampedAsin(std::sin(c) * std::cos(theta) / std::sin(z))
                                         : 0.0;
    const double rhoZenith = std::sin(h0) < -0.99 ? 9999.0
                                                  : view.radius * std::cos(h0) / (1.0 + std::sin(h0));
    const double az = wrapOnce(dy > rhoZenith ? a0 - dA : a0 - kPi + dA);

    const double phi = site.latitude;
    const double dec = clampedAsin(std::sin(h) * std::sin(phi) + std::cos(h) * std::cos(phi) * std::cos(az));
    const double y = std::sin(h) - std::sin(phi) * std::sin(dec);
    const double x = -std::cos(h) * std::cos(phi) * std::sin(az);
    double ra = site.lst - hourAngle(y, x);
    if (ra < 0.0)
        ra += kTwoPi;
    if (ra < 0.0 || ra > kTwoPi)
        return std::nullopt;
    return Position{h * kRadToDeg, az * kRadToDeg, ra * kRadToDeg, dec * kRadToDeg};
}

void raDecOfVector(double x, double y, double z, double* ra, double* dec)
{
    const double d = clampedAsin(z);
    const double cosDec = std::cos(d);
    // At a pole the right ascension is undefined; 0 is as good as any.
    if (cosDec == 0.0) {
        *ra = 0.0;
        *dec = d;
        return;
    }
    const double a = clampedAcos(x / cosDec);
    *ra = clampedAsin(y / cosDec) >= 0.0 ? a : kTwoPi - a;
    *dec = d;
}

}  // namespace SkyCoordinates
