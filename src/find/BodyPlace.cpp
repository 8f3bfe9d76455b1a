#include "find/BodyPlace.h"

#include "model/SkyDateModel.h"
#include "model/records/BodyNumber.h"
#include "solarsystem/moons/MoonStep.h"
#include "solarsystem/planets/DeltaT.h"
#include "solarsystem/planets/PlanetaryPass.h"

#include <array>

namespace BodyPlace {

PlaceEvents::SkyPlace at(int body, double julianDay, const PlaceEvents::Site& site)
{
    std::array<planet, 11> planets{};
    if (body < BodyNumber::kSun || body > BodyNumber::kMoon)
        return {};
    const double primeMeridian = SkyDateModel::greenwichSiderealHours(julianDay) * 15.0 + site.longitude;
    if (body == BodyNumber::kMoon) {
        const PlanetHandOver h = PlanetHandOver::at(DeltaT::dynamicalMillennia(julianDay, 0.0), true);
        MoonStep::calculateMoon({h.pT, h.pNutLong, h.pCO, h.pSO, h.pLe, primeMeridian, site.latitude, true},
                                planets[BodyNumber::kMoon], planets[BodyNumber::kShadow]);
    } else {
        std::array<planetPath, 40> paths{};
        PlanetaryPassRequest request;
        request.julianDay = julianDay;
        request.body = body;
        request.latitude = site.latitude;
        request.primeMeridian = primeMeridian;
        PlanetaryPass().run(request, planets, paths);
    }
    const planet& p = planets[std::size_t(body)];
    return {p.ra, p.dec};
}

PlaceEvents::PlaceAt of(int body, const PlaceEvents::Site& site)
{
    return [body, site](double julianDay) { return at(body, julianDay, site); };
}

}  // namespace BodyPlace
