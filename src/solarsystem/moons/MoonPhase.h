#pragma once

// The Moon's phase from its elongation from the Sun.
namespace MoonPhase {

struct Phase {
    double illuminatedFraction;  // k, 0..1
    double percent;              // 100 k, negative while the Moon wanes (from full to new)
    double age;                  // hundredths of a day since new Moon, 0 .. about 2953
};

// moonLongitude, moonLatitude: the Moon's geocentric ecliptic longitude (0..2 pi)
// and latitude of date; earthLongitude: the Earth's heliocentric ecliptic
// longitude of date (0..2 pi). All radians.
Phase phase(double moonLongitude, double moonLatitude, double earthLongitude);

}  // namespace MoonPhase
