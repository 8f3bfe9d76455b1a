#pragma once

#include "solarsystem/smallbodies/OrbitPoint.h"

#include <array>

// Where a body in a heliocentric orbit appears from the Earth's centre
// (Meeus, Astronomical Algorithms, chapter 33): the orbit's elements are
// referred to the ecliptic and equinox of J2000.0 and the result to the mean
// equator of date: the geometric place, without light time, aberration or
// nutation.
namespace OrbitPlace {

// J2000.0 obliquity of the ecliptic.
inline constexpr double kCosObliquity = 0.91748206;
inline constexpr double kSinObliquity = 0.39777716;

struct Geocentric {
    std::array<double, 3> rectangular{};  // AU, x toward the equinox of date, z north
    double rightAscension = 0.0;  // radians, 0..2 pi
    double declination = 0.0;     // radians
    double distance = 0.0;        // AU
    double equatorial = 0.0;      // AU, from the Earth's axis
};

// The orientation of an orbit: argument of perihelion, longitude of the
// ascending node and inclination, radians, ecliptic of J2000.0.
struct Orientation {
    double argPerihelion = 0.0;
    double node = 0.0;
    double inclination = 0.0;
};

// The orbit's axes on the J2000.0 equator (unit vectors): toward the
// perihelion, and a quarter turn further in the direction of motion.
struct Axes {
    std::array<double, 3> perihelion{};
    std::array<double, 3> ahead{};
};
Axes axes(const Orientation& orbit);

// sunJ2000: the Sun's geocentric rectangular place on the J2000.0 equator,
// AU. precession: the matrix P1..P9 (row by row) from J2000.0 to the date.
// The geometric rectangular place on the mean equator of date, AU, of a body
// at x, y (AU) along the orbit's axes.
std::array<double, 3> rectangular(double x, double y, const Axes& axes, const std::array<double, 3>& sunJ2000,
                                  const std::array<double, 9>& precession);
// The same on the J2000.0 equator, before precession (distances are the same).
std::array<double, 3> geocentricJ2000(double x, double y, const Axes& axes, const std::array<double, 3>& sunJ2000);
// The same for a point of the orbit.
std::array<double, 3> rectangular(const OrbitPoint& point, const Axes& axes, const std::array<double, 3>& sunJ2000,
                                  const std::array<double, 9>& precession);
std::array<double, 3> rectangular(const OrbitPoint& point, const Orientation& orbit,
                                  const std::array<double, 3>& sunJ2000,
                                  const std::array<double, 9>& precession);
// The same with its right ascension, declination and distance.
Geocentric geocentric(const OrbitPoint& point, const Orientation& orbit,
                      const std::array<double, 3>& sunJ2000,
                      const std::array<double, 9>& precession);
// The right ascension, declination and distance of a rectangular place.
Geocentric spherical(const std::array<double, 3>& rectangular);

}  // namespace OrbitPlace
