#include "find/TwilightBands.h"

#include <algorithm>

namespace {

constexpr double kHalfDay = 0.5;
// Samples ten minutes apart: the shading between them is linear, the
// crossings between them are found exactly.
constexpr int kSamples = 144;
constexpr double kStep = 1.0 / kSamples;
// The next crossing of a kind is most of a day on; a minute clears the last one.
constexpr double kPast = 1.0 / 1440.0;

struct Crossing {
    double day;
    double level;
    bool rising;
};

}  // namespace

TwilightBands::TwilightBands(const PlaceEvents::PlaceAt& sun, const PlaceEvents::Site& site, double midnight,
                             double depth)
    : m_depth(depth)
{
    const double from = midnight - kHalfDay;
    const double to = midnight + kHalfDay;
    std::vector<Crossing> crossings;
    for (const double level : {0.0, depth})
        for (const bool rising : {false, true})
            for (auto jd = PlaceEvents::crossing(sun, site, from, to, level, rising); jd;
                 jd = PlaceEvents::crossing(sun, site, *jd + kPast, to, level, rising))
                crossings.push_back({*jd - midnight, level, rising});

    for (int k = 0; k <= kSamples; ++k) {
        const double jd = from + k * kStep;
        m_profile.push_back({jd - midnight, PlaceEvents::altitude(sun(jd), site, jd)});
    }
    for (const Crossing& c : crossings)
        m_profile.push_back({c.day, c.level});
    std::stable_sort(m_profile.begin(), m_profile.end(), [](const Point& a, const Point& b) { return a.day < b.day; });

    // A dark spell too short for a sample holds only its two crossings: the
    // first of them stands for its lowest moment.
    const double lowest =
        std::min_element(m_profile.begin(), m_profile.end(), [](const Point& a, const Point& b) {
            return a.altitude < b.altitude;
        })->day;
    m_isDark = std::any_of(m_profile.begin(), m_profile.end(), [depth](const Point& p) { return p.altitude <= depth; });
    const auto edge = [&](double level, bool rising) -> std::optional<double> {
        std::optional<double> found;
        for (const Crossing& c : crossings) {
            if (c.level != level || c.rising != rising || (rising ? c.day < lowest : c.day > lowest))
                continue;
            if (!found || (rising ? c.day < *found : c.day > *found))
                found = c.day;
        }
        return found;
    };
    m_sunset = edge(0.0, false);
    m_dusk = edge(depth, false);
    m_dawn = edge(depth, true);
    m_sunrise = edge(0.0, true);
}

double TwilightBands::darknessAt(double day) const
{
    if (m_profile.empty())
        return 0.0;
    const auto after = std::upper_bound(m_profile.begin(), m_profile.end(), day,
                                        [](double d, const Point& p) { return d < p.day; });
    double altitude = 0.0;
    if (after == m_profile.begin()) {
        altitude = after->altitude;
    } else if (after == m_profile.end()) {
        altitude = m_profile.back().altitude;
    } else {
        const Point& before = *(after - 1);
        const double span = after->day - before.day;
        const double f = span > 0.0 ? (day - before.day) / span : 0.0;
        altitude = before.altitude + f * (after->altitude - before.altitude);
    }
    if (altitude >= 0.0)
        return 0.0;
    return altitude <= m_depth ? 1.0 : altitude / m_depth;
}
