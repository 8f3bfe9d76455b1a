#include "solarsystem/planets/PlanetaryPass.h"

#include "model/Angles.h"
#include "model/records/BodyNumber.h"
#include "solarsystem/LightTime.h"
#include "solarsystem/planets/ApparentPlace.h"
#include "solarsystem/planets/DeltaT.h"
#include "solarsystem/planets/PlanetPhysics.h"
#include "solarsystem/planets/Pluto.h"
#include "solarsystem/planets/SunJ2000.h"
#include "solarsystem/planets/SunSky.h"
#include "solarsystem/planets/VSOP87Tables.h"

#include <cmath>
#include <numbers>

namespace {

using namespace BodyNumber;

constexpr double kDaysPerMillennium = 365250.0;

// Index into the plot longitudes of body 1..8 (the Earth sits at 2).
int plotIndex(int body)
{
    return body <= kVenus ? body - 1 : body;
}

// The shortened pass has no radius vectors to measure distances with: it
// takes the light time of the distance a record holds (0: none).
double storedLightTimeTau(double tau, float geoDistance, bool isMetric)
{
    double km = geoDistance;
    if (!isMetric)
        km /= PlanetaryPass::kMilesPerKm;
    return tau - (km / PlanetaryPass::kKmPerAU) * DistanceUnits::kLightDaysPerAu / kDaysPerMillennium;
}

// A heliocentric place with its distance from the Earth, AU.
struct Retarded {
    EclipticPlace helio;
    double distance = 0.0;
};

}  // namespace

PlanetaryPass::PlanetaryPass(PlacedCallback placed)
    : placed_(std::move(placed))
{
}

bool PlanetaryPass::run(const PlanetaryPassRequest& request, std::span<planet, 11> planets,
                        std::span<planetPath, 40> paths)
{
    if (!(std::abs(request.dayOffset) <= kDayOffsetLimit))
        return false;
    if (request.pathSlot >= int(paths.size()))
        return false;

    const double tau = DeltaT::dynamicalMillennia(request.julianDay, request.dayOffset);
    const bool shortened = request.body == -1 && request.dayOffset != 0.0;
    const PlanetHandOver now = PlanetHandOver::at(tau, shortened);
    PlanetHandOver& h = state_.handOver;
    if (shortened) {
        // What a shortened pass does not compute keeps its earlier value.
        h.pT = now.pT;
        h.pNutLong = now.pNutLong;
        h.pNutObl = now.pNutObl;
        h.pOE = now.pOE;
        h.pCO = now.pCO;
        h.pSO = now.pSO;
        h.pLe = now.pLe;
        h.pecc = now.pecc;
        h.plp = now.plp;
        h.abbK = now.abbK;
    } else {
        const double sLes = h.sLes;
        h = now;
        h.sLes = sLes;
    }
    state_.moonDue = false;
    if (request.plotOnly)
        state_.plotL[2] = h.pLe;
    if (!shortened)
        placeBody(kSun, request, planets, paths);

    // Each body where it stood when the light now reaching the Earth left it.
    const auto retarded = [tau](const auto& heliocentricAt, const auto& geocentric) {
        return LightTime::retarded([&](double lightDays) {
            const EclipticPlace helio = heliocentricAt(tau - lightDays / kDaysPerMillennium);
            return Retarded{helio, geocentric(helio).length()};
        });
    };

    for (int body = kMercury; body <= kNeptune; ++body) {
        if (request.body != -1 && request.body != body)
            continue;
        const VSOP87Body& series = VSOP87Tables::planet(VSOP87Planet(body));
        if (shortened) {
            const double tauK =
                storedLightTimeTau(tau, planets[std::size_t(body)].geoDistance, request.isMetric);
            h.pL = series.leadingLongitude(tauK);
            if (request.plotOnly)
                state_.plotL[std::size_t(plotIndex(body))] = h.pL;
            continue;
        }
        const Retarded place = retarded([&series](double t) { return series.place(t); },
                                        [&h](const EclipticPlace& p) { return ApparentPlace::geocentricOfDate(p, h); });
        h.pL = place.helio.longitude;
        if (request.plotOnly) {
            state_.plotL[std::size_t(plotIndex(body))] = h.pL;
            continue;
        }
        h.pB = place.helio.latitude;
        h.pR = place.helio.radius;
        if (body == kSaturn)
            h.sLes = h.pL - h.pLe;
        placeBody(body, request, planets, paths);
    }

    if (request.body == -1 || request.body == kPluto) {
        EclipticPlace pluto;
        if (shortened) {
            pluto = Pluto::heliocentricJ2000(
                10.0 * storedLightTimeTau(tau, planets[kPluto].geoDistance, request.isMetric));
        } else {
            state_.sunJ2000 = SunJ2000::geocentric(h.pT);
            const Vec3& sun = state_.sunJ2000;
            pluto = retarded([](double t) { return Pluto::heliocentricJ2000(10.0 * t); },
                             [&sun](const EclipticPlace& p) { return ApparentPlace::geocentricJ2000(p, sun); })
                        .helio;
        }
        h.pL = pluto.longitude;
        if (request.plotOnly) {
            state_.plotL[kPluto] = h.pL;
        } else if (!shortened) {
            h.pB = pluto.latitude;
            h.pR = pluto.radius;
            placeBody(kPluto, request, planets, paths);
        }
    }

    state_.moonDue = request.body == -1 && !shortened;
    return true;
}

// The apparent-place step for one body from the hand-over values.
void PlanetaryPass::placeBody(int body, const PlanetaryPassRequest& request, std::span<planet, 11> planets,
                              std::span<planetPath, 40> paths)
{
    const PlanetHandOver& h = state_.handOver;
    const EclipticPlace helio{h.pL, h.pB, h.pR};
    ApparentPlace place;
    if (body == kPluto) {
        place = ApparentPlace::fromJ2000(helio, state_.sunJ2000, h);
    } else {
        place = ApparentPlace::fromEclipticOfDate(helio, h);
    }
    if (body == kJupiter) {
        state_.jL = place.lambda;
        state_.jB = place.beta;
        state_.jsL = std::atan2(h.pR * std::cos(h.pB) * std::sin(h.pL), h.pR * std::cos(h.pB) * std::cos(h.pL))
                     + h.pNutLong;
        state_.jsB = std::atan2(h.pR * std::sin(h.pB), h.pR * std::cos(h.pB));
    } else if (body == kSaturn) {
        state_.sL = place.lambda;
        state_.sB = place.beta;
    }

    const Vec3 v = place.unitVector();
    if (request.pathSlot >= 0 && body != kSun) {
        planetPath& point = paths[std::size_t(request.pathSlot)];
        point.vecX = v.x;
        point.vecY = v.y;
        point.vecZ = v.z;
        return;
    }

    planet& record = planets[std::size_t(body)];
    record.vecX = v.x;
    record.vecY = v.y;
    record.vecZ = v.z;
    record.ra = float(place.ra);
    record.dec = float(place.dec);
    if (placed_)
        placed_(body, place.ra, place.dec);
    const double unit = request.isMetric ? kKmPerAU : kKmPerAU * kMilesPerKm;
    record.geoDistance = float(place.geoDistance * unit);
    record.helioDistance = float(place.helioDistance * unit);

    if (body == kSun) {
        state_.sunAlt = SunSky::altitude(place.ra, place.dec, request.primeMeridian, request.latitude);
        state_.sunAz = SunSky::azimuth(place.ra, place.dec, request.primeMeridian, request.latitude);
        state_.twilightLevel = SunSky::twilightLevel(state_.sunAlt);
        planets[kShadow].ra = float(Angles::wrapTwoPi(place.ra + std::numbers::pi));
        planets[kShadow].dec = float(-place.dec);
        planets[kMoon].helioDistance = float(h.pRsun * unit);
        record.mag = -26.7f;
        return;
    }

    const double k = PlanetPhysics::phaseCosine(helio, h.pRe, h.pLe, place.geoDistance);
    const double phaseAngle = std::acos(k) / Angles::kDegree;
    if (body == kMercury)
        state_.mercuryPhase = PlanetPhysics::signedIlluminatedPercent(k, h.pL, h.pLe);
    else if (body == kVenus)
        state_.venusPhase = PlanetPhysics::signedIlluminatedPercent(k, h.pL, h.pLe);
    if (body == kSaturn)
        state_.ring = SaturnRing::compute(place, helio, h);
    record.mag = float(PlanetPhysics::magnitude(body, place.helioDistance, place.geoDistance, phaseAngle,
                                                body == kSaturn ? state_.ring.B : 0.0));
}
