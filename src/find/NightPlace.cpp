#include "find/NightPlace.h"

#include "find/BodyPlace.h"
#include "model/Angles.h"
#include "model/records/BodyNumber.h"

#include <cmath>

namespace {

constexpr double kHalfDay = 0.5;

// The difference b - a brought into -pi .. pi, so right ascension interpolates across 0.
double turn(double b, double a)
{
    return std::remainder(b - a, Angles::kTwoPi);
}

// Three values a half day apart, at n (-1 .. 1 halves of a day from the middle one).
double interpolate(double y1, double y2, double y3, double n)
{
    const double a = y2 - y1;
    const double b = y3 - y2;
    return y2 + n / 2.0 * (a + b + n * (b - a));
}

}  // namespace

NightPlace::NightPlace(int body, double midnight, const PlaceEvents::Site& site)
    : m_body(body), m_midnight(midnight), m_site(site)
{
    if (m_body == BodyNumber::kMoon)
        return;
    for (int k = 0; k < 3; ++k)
        m_noonMidnightNoon[std::size_t(k)] = BodyPlace::at(m_body, m_midnight + (k - 1) * kHalfDay, m_site);
}

PlaceEvents::SkyPlace NightPlace::at(double julianDay) const
{
    if (m_body == BodyNumber::kMoon)
        return BodyPlace::at(m_body, julianDay, m_site);
    const auto& [before, middle, after] = m_noonMidnightNoon;
    const double n = (julianDay - m_midnight) / kHalfDay;
    const double ra = interpolate(middle.ra + turn(before.ra, middle.ra), middle.ra,
                                  middle.ra + turn(after.ra, middle.ra), n);
    return {Angles::wrapTwoPi(ra), interpolate(before.dec, middle.dec, after.dec, n)};
}
