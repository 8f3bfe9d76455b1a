#pragma once

#include <cstdint>
#include <optional>

// Which stars, comets and minor planets the chart shows: their magnitude
// limits and switches, with the find selection always kept. A magnitude that
// is not a number is never within a limit.
namespace CatalogueFilters {

inline bool isWithin(float mag, double limit)
{
    return double(mag) <= limit;
}

// The chart's star limit; from 6.5 on it shows the whole table.
double starLimit(double starMagLimit);
// The limit comets and minor planets share: the larger of the two settings
// plus 0.4, no limit at all from 24.0 on.
double smallBodyLimit(double cometMagLimit, double mpMagLimit);

struct StarFilter {
    double limit = 0.0;  // from starLimit
    std::optional<std::uint32_t> selected;

    bool passes(float mag, std::uint32_t i) const { return isWithin(mag, limit) || selected == i; }
};

struct CometFilter {
    double limit = 0.0;  // from smallBodyLimit
    bool showComet = false;
    std::optional<std::uint32_t> selected;

    bool passes(float mag, std::uint32_t i) const
    {
        return selected == i || (showComet && isWithin(mag, limit));
    }
};

// Bright-list and numbered orbits need showMP, the near-Earth list needs
// showNEO, unnumbered orbits need neither; past its switch a minor planet
// needs the limit unless it is the nearest near-Earth object.
struct MinorPlanetFilter {
    double limit = 0.0;  // from smallBodyLimit
    bool showMP = false;
    bool showNEO = false;
    std::optional<std::uint32_t> selected;

    bool passes(std::int32_t source, float mag, std::uint32_t i,
                std::optional<std::uint32_t> neoIndex) const;
};

}  // namespace CatalogueFilters
