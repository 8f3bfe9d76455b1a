#include "solarsystem/moons/GalileanSatellites.h"

#include "model/Angles.h"
#include "solarsystem/DistanceUnits.h"
#include "solarsystem/moons/JupiterSatelliteTerms.h"

#include <algorithm>
#include <cmath>

namespace GalileanSatellites {

namespace {

using Angles::kDegToRad;
using JupiterSatelliteTerms::Term;

// Mean distances from Jupiter in equatorial radii.
constexpr std::array<double, 4> kSemiMajorAxis{5.90569, 9.39657, 14.98832, 26.36273};
// Divisors of the correction for the satellites' different light times: a
// satellite |z| radii nearer or farther than the planet's centre is seen
// |z| / divisor radii back along its orbit.
constexpr std::array<double, 4> kLightTimeDivisor{17295.0, 21819.0, 27558.0, 36548.0};
// Jupiter's equatorial radius in AU, inverted.
constexpr double kRadiiPerAu = 2095.0;

using Angles = std::array<double, JupiterSatelliteTerms::kArgumentCount>;

double argumentDegrees(const Term& term, const Angles& angles)
{
    double degrees = term.constantDegrees;
    for (std::size_t k = 0; k < term.argument.size(); ++k)
        degrees += term.multiplier[k] * angles[term.argument[k]];
    return degrees;
}

double sineSum(std::span<const Term> terms, const Angles& angles)
{
    double sum = 0.0;
    for (const Term& term : terms)
        sum += term.coefficient * std::sin(argumentDegrees(term, angles) * kDegToRad);
    return sum;
}

double cosineSum(std::span<const Term> terms, const Angles& angles)
{
    double sum = 0.0;
    for (const Term& term : terms)
        sum += term.coefficient * std::cos(argumentDegrees(term, angles) * kDegToRad);
    return sum;
}

struct Vector {
    double x;
    double y;
    double z;
};

// Jupiter's equator and orbit at the instant: the rotations that take a vector
// from the frame of Jupiter's equator (x toward the node psi) to the ecliptic of date.
struct EquatorFrame {
    double sinI, cosI;      // inclination of Jupiter's equator on its orbit
    double sinPhi, cosPhi;  // psi - Omega
    double sinJ, cosJ;      // inclination of Jupiter's orbit on the ecliptic
    double sinOm, cosOm;    // node of Jupiter's orbit on the ecliptic
};

// The coordinates seen looking toward (longitude, latitude): x along the
// ecliptic, y along the line of sight (away from the observer), z toward the
// ecliptic's north.
Vector toViewer(const Vector& v, const EquatorFrame& f, double longitude, double latitude)
{
    double a = v.x;
    double b = v.y * f.cosI - v.z * f.sinI;
    double c = v.y * f.sinI + v.z * f.cosI;
    double a0 = a * f.cosPhi - b * f.sinPhi;
    b = a * f.sinPhi + b * f.cosPhi;
    a = a0;
    const double b0 = b * f.cosJ - c * f.sinJ;
    c = b * f.sinJ + c * f.cosJ;
    b = b0;
    a0 = a * f.cosOm - b * f.sinOm;
    b = a * f.sinOm + b * f.cosOm;
    a = a0;
    const double sinL = std::sin(longitude);
    const double cosL = std::cos(longitude);
    a0 = a * sinL - b * cosL;
    b = a * cosL + b * sinL;
    a = a0;
    const double sinB = std::sin(latitude);
    const double cosB = std::cos(latitude);
    return {a, c * sinB + b * cosB, c * cosB - b * sinB};
}

// Turns the viewed coordinates so that y lies along Jupiter's projected axis,
// the direction of the fifth, fictitious satellite on that axis.
Satellites view(const std::array<Vector, 4>& satellites, const EquatorFrame& frame, double longitude,
                double latitude)
{
    const Vector pole = toViewer({0.0, 0.0, 1.0}, frame, longitude, latitude);
    const double d = std::atan2(pole.x, pole.z);
    const double sinD = std::sin(d);
    const double cosD = std::cos(d);
    Satellites result{};
    for (std::size_t k = 0; k < satellites.size(); ++k) {
        const Vector v = toViewer(satellites[k], frame, longitude, latitude);
        result[k] = {v.x * cosD - v.z * sinD, v.x * sinD + v.z * cosD, v.y};
    }
    return result;
}

}  // namespace

Positions positions(const Input& input)
{
    const double t = input.julianDay - 2443000.5 - DistanceUnits::kLightDaysPerAu * input.distanceAu;

    Angles angles{};
    const std::array<double, 4> l{106.07719 + 203.48895579 * t, 175.73161 + 101.374724735 * t,
                                  120.55883 + 50.317609207 * t, 84.44459 + 21.571071177 * t};
    const std::array<double, 4> perijove{97.0881 + 0.16138586 * t, 154.8663 + 0.04726307 * t,
                                         188.184 + 0.00712734 * t, 335.2868 + 0.00184 * t};
    const std::array<double, 4> node{312.3346 - 0.13279386 * t, 100.4411 - 0.03263064 * t,
                                     119.1942 - 0.00717703 * t, 322.6186 - 0.00175934 * t};
    for (std::size_t k = 0; k < 4; ++k) {
        angles[JupiterSatelliteTerms::kMeanLongitude1 + k] = l[k];
        angles[JupiterSatelliteTerms::kPerijove1 + k] = perijove[k];
        angles[JupiterSatelliteTerms::kNode1 + k] = node[k];
    }
    const double gamma = 0.33033 * std::sin((163.679 + 0.0010512 * t) * kDegToRad)
                         + 0.03439 * std::sin((34.486 - 0.0161731 * t) * kDegToRad);
    const double psi = 316.5182 - 0.00000208 * t;
    angles[JupiterSatelliteTerms::kLibration] = 199.6766 + 0.1737919 * t;
    angles[JupiterSatelliteTerms::kEquatorNode] = psi;
    angles[JupiterSatelliteTerms::kJupiterAnomaly] = 30.23756 + 0.0830925701 * t + gamma;
    angles[JupiterSatelliteTerms::kSaturnAnomaly] = 31.97853 + 0.0334597339 * t;
    angles[JupiterSatelliteTerms::kJupiterPerihelion] = 13.469942;

    // True longitudes first: the latitude terms use them and the longitude sums.
    std::array<double, 4> trueLongitude{};
    for (int k = 0; k < 4; ++k) {
        const double sum = sineSum(JupiterSatelliteTerms::longitude(k), angles);
        trueLongitude[k] = l[k] + sum;
        angles[JupiterSatelliteTerms::kTrueLongitude1 + k] = trueLongitude[k];
        if (k < 3)
            angles[JupiterSatelliteTerms::kLongitudeSum1 + k] = sum;
    }

    // Precession from B1950.0 to the date, in longitude: it turns the
    // satellites' longitudes and the node psi alike.
    const double T0 = (input.julianDay - 2433282.423) / 36525.0;
    const double precession = 1.3966626 * T0 + 0.0003088 * T0 * T0;
    const double psiOfDate = (psi + precession) * kDegToRad;

    std::array<Vector, 4> satellites{};
    std::array<double, 4> radius{};
    for (int k = 0; k < 4; ++k) {
        const double latitude = std::atan(sineSum(JupiterSatelliteTerms::latitude(k), angles));
        radius[k] = kSemiMajorAxis[k] * (1.0 + cosineSum(JupiterSatelliteTerms::radius(k), angles));
        const double u = (trueLongitude[k] + precession) * kDegToRad - psiOfDate;
        satellites[k] = {radius[k] * std::cos(u) * std::cos(latitude), radius[k] * std::sin(u) * std::cos(latitude),
                         radius[k] * std::sin(latitude)};
    }

    // Jupiter's equator on its orbit counts its centuries from 1900, the orbit's
    // node and inclination on the ecliptic of date from J2000.0.
    const double T1900 = (input.julianDay - 2415020.5) / 36525.0;
    const double inclination = (3.120262 + 0.0006 * T1900) * kDegToRad;
    const double T = (input.julianDay - 2451545.0) / 36525.0;
    const double orbitNode =
        (100.464407 + T * (1.0209774 + T * (0.00040315 + T * 0.000000404))) * kDegToRad;
    const double orbitInclination =
        (1.303267 + T * (-0.0054965 + T * (0.00000466 - T * 0.000000002))) * kDegToRad;
    const EquatorFrame frame{std::sin(inclination),      std::cos(inclination),
                             std::sin(psiOfDate - orbitNode), std::cos(psiOfDate - orbitNode),
                             std::sin(orbitInclination), std::cos(orbitInclination),
                             std::sin(orbitNode),        std::cos(orbitNode)};

    Positions result{};
    result.fromEarth = view(satellites, frame, input.geocentricLongitude, input.geocentricLatitude);
    for (std::size_t k = 0; k < 4; ++k) {
        Satellite& s = result.fromEarth[k];
        const double q = s.x / radius[k];
        s.x += std::fabs(s.z) / kLightTimeDivisor[k] * std::sqrt(std::max(0.0, 1.0 - q * q));
        const double w = input.distanceAu / (input.distanceAu + s.z / kRadiiPerAu);
        s.x *= w;
        s.y *= w;
    }
    result.fromSun = view(satellites, frame, input.heliocentricLongitude, input.heliocentricLatitude);
    return result;
}

}  // namespace GalileanSatellites
