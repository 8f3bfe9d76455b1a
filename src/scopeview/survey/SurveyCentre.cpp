#include "scopeview/survey/SurveyCentre.h"

#include "model/Angles.h"
#include "model/SkyCoordinates.h"
#include "model/UnitVector.h"
#include "model/projection/PrecessionMatrix.h"

#include <cmath>

namespace {

constexpr double kRightAngle = 90.0;
constexpr double kHalfCircle = 180.0;

}  // namespace

namespace SurveyCentre {

Place normalised(double ra, double dec)
{
    // Any number of turns first, so that one reflection suffices.
    dec = std::remainder(dec, 2.0 * kHalfCircle);
    if (dec > kRightAngle || dec < -kRightAngle) {
        dec = (dec > 0.0 ? kHalfCircle : -kHalfCircle) - dec;
        ra += kHalfCircle;
    }
    return {Angles::wrap360(ra), dec};
}

Place j2000(double raDate, double decDate, const std::array<double, 9>& precession)
{
    const Place date = normalised(raDate, decDate);
    const double ra = date.ra * Angles::kDegToRad;
    const double dec = date.dec * Angles::kDegToRad;
    const UnitVector v = UnitVector::fromRADec(ra, dec);
    const std::array<double, 3> p = PrecessionMatrix::multiply(precession, v.x, v.y, v.z);
    double raP = 0.0;
    double decP = 0.0;
    SkyCoordinates::raDecOfVector(p[0], p[1], p[2], &raP, &decP);
    // raP may sit a whole turn from ra near 0; the wrap takes the turn out.
    return normalised((2.0 * ra - raP) * Angles::kRadToDeg, (2.0 * dec - decP) * Angles::kRadToDeg);
}

}  // namespace SurveyCentre
