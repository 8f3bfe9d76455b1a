#include "solarsystem/planets/PlanetaryPass.h"

#include "model/Angles.h"
#include "solarsystem/planets/ApparentPlace.h"
#include "solarsystem/planets/DeltaT.h"
#include "solarsystem/planets/Nutation.h"
#include "solarsystem/planets/PlanetPhysics.h"
#include "solarsystem/planets/Pluto.h"
#include "solarsystem/planets/SunJ2000.h"
#include "solarsystem/planets/SunSky.h"
#include "solarsystem/planets/VSOP87Tables.h"

#include <cmath>
#include <numbers>

namespace {

constexpr double kLightDaysPerAU = 0.0057755183;
constexpr int kSun = 0;
constexpr int kPluto = 8;
constexpr int kMoon = 9;
constexpr int kShadow = 10;

// Index into the plot longitudes of body 1..8 (the Earth sits at 2).
int plotIndex(int body)
{
    return body <= 2 ? body - 1 : body;
}

// tau moved back by the light time of the distance a record holds (0: none).
double lightTimeTau(double tau, float geoDistance, bool isMetric)
{
    if (geoDistance == 0.0f)
        return tau;
    double km = geoDistance;
    if (!isMetric)
        km /= PlanetaryPass::kMilesPerKm;
    return tau - (km / PlanetaryPass::kKmPerAU) * kLightDaysPerAU / 365250.0;
}

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

    PlanetHandOver& h = state_.handOver;
    const double tau = DeltaT::dynamicalMillennia(request.julianDay, request.dayOffset);
    h.pT = 10.0 * tau;

    const Nutation nutation = Nutation::at(h.pT);
    h.pNutLong = nutation.longitude;
    h.pNutObl = nutation.obliquity;
    h.pOE = Obliquity::mean(h.pT) + h.pNutObl;
    h.pCO = std::cos(h.pOE);
    h.pSO = std::sin(h.pOE);

    const bool shortened = request.body == -1 && request.dayOffset != 0.0;
    state_.moonDue = false;

    const VSOP87Body& earth = VSOP87Tables::planet(VSOP87Planet::Earth);
    h.pLe = shortened ? earth.leadingLongitude(tau) : earth.longitude(tau);
    if (request.plotOnly)
        state_.plotL[2] = h.pLe;
    h.pecc = 0.016708634 - 0.000042037 * h.pT - 0.0000001267 * h.pT * h.pT;
    h.plp = (102.93735 + 1.71946 * h.pT + 0.00046 * h.pT * h.pT) * Angles::kDegree;
    h.abbK = 20.49552 * Angles::kArcsecond;
    if (!shortened) {
        const double B = earth.latitude(tau);
        const double R = earth.radius(tau);
        h.pRe = R;
        h.pRCC = R * std::cos(B) * std::cos(h.pLe);
        h.pRCS = R * std::cos(B) * std::sin(h.pLe);
        h.pRS = R * std::sin(B);
        h.pLsun = Angles::wrapTwoPi(h.pLe + std::numbers::pi);
        h.pBsun = -B;
        h.pRsun = R;
        h.pL = h.pB = h.pR = 0.0;  // the Sun sits at the heliocentric origin
        placeBody(kSun, request, planets, paths);
    }

    for (int body = 1; body <= 7; ++body) {
        if (request.body != -1 && request.body != body)
            continue;
        const double tauK = lightTimeTau(tau, planets[std::size_t(body)].geoDistance, request.isMetric);
        const VSOP87Body& series = VSOP87Tables::planet(VSOP87Planet(body));
        h.pL = shortened ? series.leadingLongitude(tauK) : series.longitude(tauK);
        if (request.plotOnly) {
            state_.plotL[std::size_t(plotIndex(body))] = h.pL;
            continue;
        }
        if (shortened)
            continue;
        h.pB = series.latitude(tauK);
        h.pR = series.radius(tauK);
        if (body == 5)
            h.sLes = h.pL - h.pLe;
        placeBody(body, request, planets, paths);
    }

    if (request.body == -1 || request.body == kPluto) {
        const double tauP = lightTimeTau(tau, planets[kPluto].geoDistance, request.isMetric);
        const EclipticPlace pluto = Pluto::heliocentricJ2000(10.0 * tauP);
        h.pL = pluto.longitude;
        if (request.plotOnly) {
            state_.plotL[8] = h.pL;
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
        state_.sunJ2000 = SunJ2000::geocentric(h.pT);
        place = ApparentPlace::fromJ2000(helio, state_.sunJ2000, h);
    } else {
        place = ApparentPlace::fromEclipticOfDate(helio, h);
    }
    if (body == 4) {
        state_.jL = place.lambda;
        state_.jB = place.beta;
        state_.jsL = std::atan2(h.pR * std::cos(h.pB) * std::sin(h.pL), h.pR * std::cos(h.pB) * std::cos(h.pL))
                     + h.pNutLong;
        state_.jsB = std::atan2(h.pR * std::sin(h.pB), h.pR * std::cos(h.pB));
    } else if (body == 5) {
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
    if (body == 1)
        state_.mercuryPhase = PlanetPhysics::signedIlluminatedPercent(k, h.pL, h.pLe);
    else if (body == 2)
        state_.venusPhase = PlanetPhysics::signedIlluminatedPercent(k, h.pL, h.pLe);
    if (body == 5)
        state_.ring = SaturnRing::compute(place, helio, h);
    record.mag = float(PlanetPhysics::magnitude(body, place.helioDistance, place.geoDistance, phaseAngle,
                                                body == 5 ? state_.ring.B : 0.0));
}
