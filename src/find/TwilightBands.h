#pragma once

#include "find/PlaceEvents.h"

#include <optional>
#include <vector>

// The Sun through one night, noon to noon, as the night planner shades it:
// its altitude every few minutes and at each moment it crosses the horizon
// or the twilight depth, so daylight, twilight and darkness follow the Sun
// itself. That covers the nights with all four edges and those with only
// some: a polar night dark for hours with no sunset, a first short dark
// spell, a night the Sun sets twice.
class TwilightBands {
public:
    struct Point {
        double day;       // days from the night's midnight, -0.5 .. 0.5
        double altitude;  // degrees, the Sun's centre, no refraction
    };

    TwilightBands() = default;
    // sun: the Sun's place; midnight: Julian day (UT) of the night's middle;
    // depth: the altitude where twilight ends, degrees (negative).
    TwilightBands(const PlaceEvents::PlaceAt& sun, const PlaceEvents::Site& site, double midnight, double depth);

    // In time order, from the night's start to its end.
    const std::vector<Point>& profile() const { return m_profile; }
    // The Sun goes below the depth somewhere in the night.
    bool isDark() const { return m_isDark; }
    // From daylight (0, the Sun at or above the horizon) to darkness (1, at
    // or below the depth), in proportion to the altitude between, at `day`
    // days from midnight: the altitude runs straight between the profile's points.
    double darknessAt(double day) const;

    // The edges around the night's lowest Sun, days from midnight: the last
    // sunset and end of twilight before it, the first start of twilight and
    // sunrise after it; none where the Sun does not cross there that night.
    std::optional<double> sunset() const { return m_sunset; }
    std::optional<double> dusk() const { return m_dusk; }
    std::optional<double> dawn() const { return m_dawn; }
    std::optional<double> sunrise() const { return m_sunrise; }

private:
    double m_depth = 0.0;
    std::vector<Point> m_profile;
    bool m_isDark = false;
    std::optional<double> m_sunset;
    std::optional<double> m_dusk;
    std::optional<double> m_dawn;
    std::optional<double> m_sunrise;
};
