#include "model/projection/CatalogueFilters.h"

#include "model/records/minorPlanet.h"

#include <algorithm>

namespace CatalogueFilters {

double starLimit(double starMagLimit)
{
    return starMagLimit >= 6.5 ? 20.0 : starMagLimit;
}

double smallBodyLimit(double cometMagLimit, double mpMagLimit)
{
    const double limit = std::max(mpMagLimit, cometMagLimit) + 0.4;
    return limit >= 24.0 ? 100.0 : limit;
}

bool MinorPlanetFilter::passes(std::int32_t source, float mag, std::uint32_t i,
                               std::optional<std::uint32_t> neoIndex) const
{
    if (selected == i)
        return true;
    switch (source) {
    case kMPSourceBright:
    case kMPSourceNumbered:
        if (!showMP)
            return false;
        break;
    case kMPSourceUnusual:
        if (!showNEO)
            return false;
        break;
    default:
        break;
    }
    return isWithin(mag, limit) || neoIndex == i;
}

}  // namespace CatalogueFilters
