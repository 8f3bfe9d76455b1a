#include "solarsystem/smallbodies/MinorPlanetWatch.h"

#include "solarsystem/smallbodies/MinorPlanetOrbit.h"
#include "solarsystem/smallbodies/SmallBodyMagnitude.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// The Earth's greatest speed about the Sun, AU a day (0.01749), rounded up.
constexpr double kEarthSpeed = 0.0175;
// Room for the light time's drift and the rounding of the speeds.
constexpr double kSpeedMargin = 1.01;
// A bound this far past the limit still leaves a float magnitude past it.
constexpr double kMagnitudeMargin = 1e-4;
// The shortest span worth keeping (a minute), and the most times it is
// doubled: the longest span is some 16 years.
constexpr double kShortestSpan = 1.0 / 1440.0;
constexpr int kMostDoublings = 23;

}  // namespace

MinorPlanetWatch::MinorPlanetWatch(const minorPlanet& m)
    : fainterThan(MinorPlanetOrbit::brightestOf(m)), brightest(fainterThan), source(std::int8_t(m.source))
{
}

// Within t days of the computed moment, the distances from the Sun and the
// Earth shrink at most by v t and w t (v the speed at perihelion, by
// vis-viva, w that plus the Earth's speed), and the phase angle by the turn
// of the directions to the Sun and the Earth, at most v / r + w / delta
// radians a day. The least magnitude within t days follows; it only falls as
// t grows, so the longest span past the limit among the doublings of the
// shortest is found by halving their range: five bounds, not two dozen.
// Each span kept was itself found past the limit.
void MinorPlanetWatch::watchAfter(const minorPlanet& m, const SmallBodyPosition::Place& place,
                                  const SmallBodyPosition::Frame& frame, double limit)
{
    from = until = frame.julianDay;
    const double a = m.semiMajorAxis;
    const double e = m.eccentricity;
    if (!(e >= 0.0 && e < 1.0))
        return;
    const double v = kSpeedMargin * SmallBodyPosition::kGauss * std::sqrt((1.0 + e) / (a * (1.0 - e)));
    const double w = v + kSpeedMargin * kEarthSpeed;
    const double r = place.sunDistance;
    const double delta = place.earthDistance;
    const double slope = m.slope;
    // The phase term grows with the phase angle only for the usual slopes.
    const bool isPhaseMonotonic = slope >= 0.0 && slope <= 1.0;
    // Then the least magnitude within any span is at most this pass's: a
    // body that passes the limit now is computed again at every pass, as the
    // bound below would find at once.
    if (isPhaseMonotonic && m.mag <= limit)
        return;
    const double cosPhase = std::clamp((r * r + delta * delta - frame.earthSunSquared) / (2.0 * r * delta), -1.0, 1.0);
    const double phase = std::acos(cosPhase);
    const double allowance = MinorPlanetBrightness::phaseAllowance(slope);
    const double threshold = limit + kMagnitudeMargin;
    const auto faintestWithin = [&](double t) {
        const double sunLow = r - v * t;
        const double earthLow = delta - w * t;
        if (!(sunLow > 0.0 && earthLow > 0.0))
            return -std::numeric_limits<double>::infinity();
        const double distances = sunLow * earthLow;
        if (!isPhaseMonotonic)
            return m.absMagnitude + 5.0 * std::log10(distances) + allowance;
        const double tanHalf = std::tan(0.5 * std::max(0.0, phase - (v / sunLow + w / earthLow) * t));
        return m.absMagnitude
               + 2.5 * std::log10(distances * distances / SmallBodyMagnitude::phaseFunction(slope, tanHalf * tanHalf));
    };
    if (!(faintestWithin(kShortestSpan) > threshold))
        return;
    int past = 0;                   // doublings found past the limit
    int notPast = kMostDoublings + 1;  // not past, or beyond the longest
    while (notPast - past > 1) {
        const int middle = (past + notPast) / 2;
        if (faintestWithin(std::ldexp(kShortestSpan, middle)) > threshold)
            past = middle;
        else
            notPast = middle;
    }
    const double t = std::ldexp(kShortestSpan, past);
    from = frame.julianDay - t;
    until = frame.julianDay + t;
    // Rounded down to a float that is still past the limit.
    fainterThan = std::nextafter(float(limit + kMagnitudeMargin / 2.0), -std::numeric_limits<float>::infinity());
}
