#include "solarsystem/moons/SaturnSatellitePositions.h"

#include "model/Angles.h"

#include <algorithm>
#include <cmath>

namespace SaturnSatellitePositions {

namespace {

using Angles::kDegToRad;

// Inclination and node of Saturn's equator on the ecliptic of B1950.0.
constexpr double kEquatorInclination = 28.0817 * kDegToRad;
constexpr double kEquatorNode = 168.8112 * kDegToRad;
// Divisors of the correction for the satellites' different light times: a
// satellite |z| radii nearer or farther than the planet's centre is seen
// |z| / divisor radii back along its orbit.
constexpr std::array<double, 8> kLightTimeDivisor{20947.0, 23715.0, 26382.0, 29876.0,
                                                  35313.0, 53800.0, 59222.0, 91820.0};
// Saturn's equatorial radius in AU, inverted.
constexpr double kRadiiPerAu = 2475.0;

// A satellite's orbit at the instant: longitude in the orbit and radius vector,
// and the orbit's inclination and node on the ecliptic of B1950.0 (radians).
struct Orbit {
    double longitude;
    double radius;
    double inclination;
    double node;
};

double degrees(double value)
{
    return value * kDegToRad;
}

// The time arguments of the method, with JD the light-time corrected Julian day.
struct Times {
    explicit Times(double jd)
        : t1(jd - 2411093.0), t2(t1 / 365.25), t3((jd - 2433282.423) / 365.25 + 1950.0),
          t4(jd - 2411368.0), t5(t4 / 365.25), t6(jd - 2415020.0), t7(t6 / 36525.0), t8(t6 / 365.25),
          t9((jd - 2442000.5) / 365.25), t10(jd - 2409786.0), t11(t10 / 36525.0),
          W0(degrees(5.095 * (t3 - 1866.39))), W1(degrees(74.4 + 32.39 * t2)), W2(degrees(134.3 + 92.62 * t2)),
          W3(degrees(42.0 - 0.5118 * t5)), W4(degrees(276.59 + 0.5118 * t5)),
          W5(degrees(267.2635 + 1222.1136 * t7)), W6(degrees(175.4762 + 1221.5515 * t7)),
          W7(degrees(2.4891 + 0.002435 * t7)), W8(degrees(113.35 - 0.2597 * t7))
    {
    }
    double t1, t2, t3, t4, t5, t6, t7, t8, t9, t10, t11;
    double W0, W1, W2, W3, W4, W5, W6, W7, W8;
};

// Orbit of Rhea, Titan, Hyperion or Iapetus from its mean longitude, perisaturnium,
// eccentricity, semi-major axis (Saturn radii), node and inclination (on the ecliptic).
Orbit eccentricOrbit(double meanLongitude, double perisaturnium, double e, double a, double node,
                     double inclination)
{
    const double M = meanLongitude - perisaturnium;
    const double e2 = e * e;
    const double e3 = e2 * e;
    const double e4 = e2 * e2;
    const double e5 = e3 * e2;
    const double C = (2.0 * e - 0.25 * e3 + 0.0520833333 * e5) * std::sin(M)
                     + (1.25 * e2 - 0.458333333 * e4) * std::sin(2.0 * M)
                     + (1.083333333 * e3 - 0.671875 * e5) * std::sin(3.0 * M)
                     + 1.072917 * e4 * std::sin(4.0 * M) + 1.142708 * e5 * std::sin(5.0 * M);
    // Referred to Saturn's equator instead of the ecliptic.
    const double g = node - kEquatorNode;
    const double a1 = std::sin(inclination) * std::sin(g);
    const double a2 = std::cos(kEquatorInclination) * std::sin(inclination) * std::cos(g)
                      - std::sin(kEquatorInclination) * std::cos(inclination);
    const double u = std::atan2(a1, a2);
    const double h = std::cos(kEquatorInclination) * std::sin(inclination)
                     - std::sin(kEquatorInclination) * std::cos(inclination) * std::cos(g);
    const double psi = std::atan2(std::sin(kEquatorInclination) * std::sin(g), h);
    Orbit orbit{};
    orbit.radius = a * (1.0 - e2) / (1.0 + e * std::cos(M + C));
    orbit.inclination = std::asin(std::hypot(a1, a2));
    orbit.node = kEquatorNode + u;
    orbit.longitude = meanLongitude + C + u - g - psi;
    return orbit;
}

Orbit mimas(const Times& t)
{
    const double L = degrees(127.64 + 381.994497 * t.t1 - 43.57 * std::sin(t.W0) - 0.720 * std::sin(3.0 * t.W0)
                             - 0.02144 * std::sin(5.0 * t.W0));
    const double p = degrees(106.1 + 365.549 * t.t2);
    const double M = L - p;
    const double C = degrees(2.18287 * std::sin(M) + 0.025988 * std::sin(2.0 * M) + 0.00043 * std::sin(3.0 * M));
    return {L + C, 3.06879 / (1.0 + 0.01905 * std::cos(M + C)), degrees(1.563), degrees(54.5 - 365.072 * t.t2)};
}

Orbit enceladus(const Times& t)
{
    const double L = degrees(200.317 + 262.7319002 * t.t1 + 0.25667 * std::sin(t.W1) + 0.20883 * std::sin(t.W2));
    const double p = degrees(309.107 + 123.44121 * t.t2);
    const double M = L - p;
    const double C = degrees(0.55577 * std::sin(M) + 0.00168 * std::sin(2.0 * M));
    return {L + C, 3.94118 / (1.0 + 0.00485 * std::cos(M + C)), degrees(0.0262), degrees(348.0 - 151.95 * t.t2)};
}

Orbit tethys(const Times& t)
{
    const double longitude = degrees(285.306 + 190.69791226 * t.t1 + 2.063 * std::sin(t.W0)
                                     + 0.03409 * std::sin(3.0 * t.W0) + 0.001015 * std::sin(5.0 * t.W0));
    return {longitude, 4.880998, degrees(1.0976), degrees(111.33 - 72.2441 * t.t2)};
}

Orbit dione(const Times& t)
{
    const double L = degrees(254.712 + 131.53493193 * t.t1 - 0.0215 * std::sin(t.W1) - 0.01733 * std::sin(t.W2));
    const double p = degrees(174.8 + 30.82 * t.t2);
    const double M = L - p;
    const double C = degrees(0.24717 * std::sin(M) + 0.00033 * std::sin(2.0 * M));
    return {L + C, 6.24871 / (1.0 + 0.002157 * std::cos(M + C)), degrees(0.0139), degrees(232.0 - 30.27 * t.t2)};
}

Orbit rhea(const Times& t)
{
    const double pPrime = degrees(342.7 + 10.057 * t.t2);
    const double a1 = 0.000265 * std::sin(pPrime) + 0.001 * std::sin(t.W4);
    const double a2 = 0.000265 * std::cos(pPrime) + 0.001 * std::cos(t.W4);
    const double N = degrees(345.0 - 10.057 * t.t2);
    const double lambdaPrime = degrees(359.244 + 79.6900472 * t.t1 + 0.086754 * std::sin(N));
    const double inclination = degrees(28.0362 + 0.346898 * std::cos(N) + 0.0193 * std::cos(t.W3));
    const double node = degrees(168.8034 + 0.736936 * std::sin(N) + 0.041 * std::sin(t.W3));
    return eccentricOrbit(lambdaPrime, std::atan2(a1, a2), std::hypot(a1, a2), 8.725924, node, inclination);
}

Orbit titan(const Times& t)
{
    const double L = degrees(261.1582 + 22.57697855 * t.t4 + 0.074025 * std::sin(t.W3));
    const double iPrime = degrees(27.45141 + 0.295999 * std::cos(t.W3));
    const double nodePrime = degrees(168.66925 + 0.628808 * std::sin(t.W3));
    const double a1 = std::sin(t.W7) * std::sin(nodePrime - t.W8);
    const double a2 = std::cos(t.W7) * std::sin(iPrime) - std::sin(t.W7) * std::cos(iPrime) * std::cos(nodePrime - t.W8);
    const double g0 = degrees(102.8623);
    const double psi = std::atan2(a1, a2);
    const double s = std::hypot(a1, a2);
    double g = t.W4 - nodePrime - psi;
    double perisaturnium = 0.0;
    for (int pass = 0; pass < 3; ++pass) {
        perisaturnium = t.W4 + degrees(0.37515) * (std::sin(2.0 * g) - std::sin(2.0 * g0));
        g = perisaturnium - nodePrime - psi;
    }
    const double ePrime = 0.029092 + 0.00019048 * (std::cos(2.0 * g) - std::cos(2.0 * g0));
    const double q = 2.0 * (t.W5 - perisaturnium);
    const double b1 = std::sin(iPrime) * std::sin(nodePrime - t.W8);
    const double b2 = std::cos(t.W7) * std::sin(iPrime) * std::cos(nodePrime - t.W8) - std::sin(t.W7) * std::cos(iPrime);
    const double theta = std::atan2(b1, b2) + t.W8;
    const double e = ePrime + 0.002778797 * ePrime * std::cos(q);
    const double p = perisaturnium + degrees(0.159215) * std::sin(q);
    const double u = 2.0 * t.W5 - 2.0 * theta + psi;
    const double h = 0.9375 * ePrime * ePrime * std::sin(q) + 0.1875 * s * s * std::sin(2.0 * (t.W5 - theta));
    const double e1 = 0.05589 - 0.000346 * t.t7;
    const double lambdaPrime =
        L - degrees(0.254744) * (e1 * std::sin(t.W6) + 0.75 * e1 * e1 * std::sin(2.0 * t.W6) + h);
    const double inclination = iPrime + degrees(0.031843) * s * std::cos(u);
    const double node = nodePrime + degrees(0.031843) * s * std::sin(u) / std::sin(iPrime);
    return eccentricOrbit(lambdaPrime, p, e, 20.216193, node, inclination);
}

Orbit hyperion(const Times& t)
{
    const double eta = degrees(92.39 + 0.5621071 * t.t6);
    const double zeta = degrees(148.19 - 19.18 * t.t8);
    const double theta = degrees(184.8 - 35.41 * t.t9);
    const double thetaPrime = theta - degrees(7.5);
    const double as = degrees(176.0 + 12.22 * t.t8);
    const double bs = degrees(8.0 + 24.44 * t.t8);
    const double cs = bs + degrees(5.0);
    const double perisaturnium = degrees(69.898 - 18.67088 * t.t8);
    const double phi = 2.0 * (perisaturnium - t.W5);
    const double chi = degrees(94.9 - 2.292 * t.t8);
    const double a = 24.50601 - 0.08686 * std::cos(eta) - 0.00166 * std::cos(zeta + eta) + 0.00175 * std::cos(zeta - eta);
    const double e = 0.103458 - 0.004099 * std::cos(eta) - 0.000167 * std::cos(zeta + eta)
                     + 0.000235 * std::cos(zeta - eta) + 0.02303 * std::cos(zeta) - 0.00212 * std::cos(2.0 * zeta)
                     + 0.000151 * std::cos(3.0 * zeta) + 0.00013 * std::cos(phi);
    const double p = perisaturnium
                     + degrees(0.15648 * std::sin(chi) - 0.4457 * std::sin(eta) - 0.2657 * std::sin(zeta + eta)
                               - 0.3573 * std::sin(zeta - eta) - 12.872 * std::sin(zeta) + 1.668 * std::sin(2.0 * zeta)
                               - 0.2419 * std::sin(3.0 * zeta) - 0.07 * std::sin(phi));
    const double lambdaPrime =
        degrees(177.047 + 16.91993829 * t.t6 + 0.15648 * std::sin(chi) + 9.142 * std::sin(eta)
                + 0.007 * std::sin(2.0 * eta) - 0.014 * std::sin(3.0 * eta) + 0.2275 * std::sin(zeta + eta)
                + 0.2112 * std::sin(zeta - eta) - 0.26 * std::sin(zeta) - 0.0098 * std::sin(2.0 * zeta)
                - 0.013 * std::sin(as) + 0.017 * std::sin(bs) - 0.0303 * std::sin(phi));
    const double inclination = degrees(27.3347 + 0.6434886 * std::cos(chi) + 0.315 * std::cos(t.W3)
                                       + 0.018 * std::cos(theta) - 0.018 * std::cos(cs));
    const double node = degrees(168.6812 + 1.40136 * std::cos(chi) + 0.68599 * std::sin(t.W3)
                                - 0.0392 * std::sin(cs) + 0.0366 * std::sin(thetaPrime));
    return eccentricOrbit(lambdaPrime, p, e, a, node, inclination);
}

Orbit iapetus(const Times& t)
{
    const double L = degrees(261.1582 + 22.57697855 * t.t4);
    const double perisaturnium1 = degrees(91.796 + 0.562 * t.t7);
    const double psi = degrees(4.367 - 0.195 * t.t7);
    const double theta = degrees(146.819 - 3.198 * t.t7);
    const double phi = degrees(60.470 + 1.521 * t.t7);
    const double Phi = degrees(205.055 - 2.091 * t.t7);
    const double ePrime = 0.028298 + 0.001156 * t.t11;
    const double perisaturnium0 = degrees(352.91 + 11.71 * t.t11);
    const double mu = degrees(76.3852 + 4.53795125 * t.t10);
    const double iPrime = degrees(18.4602 + t.t11 * (-0.9518 + t.t11 * (-0.072 + t.t11 * 0.0054)));
    const double nodePrime = degrees(143.198 + t.t11 * (-3.919 + t.t11 * (0.116 + t.t11 * 0.008)));
    const double l = mu - perisaturnium0;
    const double g = perisaturnium0 - nodePrime - psi;
    const double g1 = perisaturnium0 - nodePrime - phi;
    const double ls = t.W5 - perisaturnium1;
    const double gs = perisaturnium1 - theta;
    const double lT = L - t.W4;
    const double gT = t.W4 - Phi;
    const double u1 = 2.0 * (l + g - ls - gs);
    const double u2 = l + g1 - lT - gT;
    const double u3 = l + 2.0 * (g - ls - gs);
    const double u4 = lT + gT - g1;
    const double u5 = 2.0 * (ls + gs);
    const double a = 58.935028 + 0.004638 * std::cos(u1) + 0.058222 * std::cos(u2);
    const double e = ePrime - 0.0014097 * std::cos(g1 - gT) + 0.0003733 * std::cos(u5 - 2.0 * g)
                     + 0.000118 * std::cos(u3) + 0.0002408 * std::cos(l) + 0.0002849 * std::cos(l + u2)
                     + 0.000619 * std::cos(u4);
    const double w = degrees(0.08077 * std::sin(g1 - gT) + 0.02139 * std::sin(u5 - 2.0 * g) - 0.00676 * std::sin(u3)
                             + 0.0138 * std::sin(l) + 0.01632 * std::sin(l + u2) + 0.03547 * std::sin(u4));
    const double p = perisaturnium0 + w / ePrime;
    const double lambdaPrime =
        mu + degrees(-0.04299 * std::sin(u2) - 0.00789 * std::sin(u1) - 0.06312 * std::sin(ls)
                     - 0.00295 * std::sin(2.0 * ls) - 0.02231 * std::sin(u5) + 0.0065 * std::sin(u5 + psi));
    const double inclination = iPrime + degrees(0.04204 * std::cos(u5 + psi) + 0.00235 * std::cos(l + g1 + lT + gT + phi)
                                                + 0.0036 * std::cos(u2 + phi));
    const double wPrime = degrees(0.04204 * std::sin(u5 + psi) + 0.00235 * std::sin(l + g1 + lT + gT + phi)
                                  + 0.00358 * std::sin(u2 + phi));
    const double node = nodePrime + wPrime / std::sin(iPrime);
    return eccentricOrbit(lambdaPrime, p, e, a, node, inclination);
}

struct Vector {
    double x;
    double y;
    double z;
};

// From Saturn's equator (x toward the equator's node on the ecliptic) to the
// frame seen looking toward (longitude, latitude): x along the ecliptic, y
// along the line of sight (away from the observer), z toward the ecliptic's north.
Vector toViewer(const Vector& v, double sinL, double cosL, double sinB, double cosB)
{
    double a = v.x;
    double b = std::cos(kEquatorInclination) * v.y - std::sin(kEquatorInclination) * v.z;
    const double c = std::sin(kEquatorInclination) * v.y + std::cos(kEquatorInclination) * v.z;
    const double a0 = std::cos(kEquatorNode) * a - std::sin(kEquatorNode) * b;
    b = std::sin(kEquatorNode) * a + std::cos(kEquatorNode) * b;
    a = a0;
    const double A = a * sinL - b * cosL;
    b = a * cosL + b * sinL;
    return {A, b * cosB + c * sinB, c * cosB - b * sinB};
}

}  // namespace

Satellites positions(const Input& input)
{
    const Times times(input.julianDay);
    const std::array<Orbit, 8> orbits{mimas(times), enceladus(times), tethys(times), dione(times),
                                      rhea(times),  titan(times),     hyperion(times), iapetus(times)};
    const double sinL = std::sin(input.geocentricLongitude);
    const double cosL = std::cos(input.geocentricLongitude);
    const double sinB = std::sin(input.geocentricLatitude);
    const double cosB = std::cos(input.geocentricLatitude);

    // A fictitious satellite on Saturn's axis gives the turn D that puts y along the projected axis.
    const Vector pole = toViewer({0.0, 0.0, 1.0}, sinL, cosL, sinB, cosB);
    const double D = std::atan2(pole.x, pole.z);
    const double sinD = std::sin(D);
    const double cosD = std::cos(D);

    Satellites result{};
    for (std::size_t k = 0; k < orbits.size(); ++k) {
        const Orbit& orbit = orbits[k];
        const double u = orbit.longitude - orbit.node;
        const double w = orbit.node - kEquatorNode;
        const double r = orbit.radius;
        const Vector inEquator{
            r * (std::cos(u) * std::cos(w) - std::sin(u) * std::cos(orbit.inclination) * std::sin(w)),
            r * (std::sin(u) * std::cos(w) * std::cos(orbit.inclination) + std::cos(u) * std::sin(w)),
            r * std::sin(u) * std::sin(orbit.inclination)};
        const Vector v = toViewer(inEquator, sinL, cosL, sinB, cosB);
        Satellite& s = result[k];
        s = {v.x * cosD - v.z * sinD, v.x * sinD + v.z * cosD, v.y};
        const double q = s.x / r;
        s.x += std::fabs(s.z) / kLightTimeDivisor[k] * std::sqrt(std::max(0.0, 1.0 - q * q));
        const double perspective = input.distanceAu / (input.distanceAu + s.z / kRadiiPerAu);
        s.x *= perspective;
        s.y *= perspective;
    }
    return result;
}

}  // namespace SaturnSatellitePositions
