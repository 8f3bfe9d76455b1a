#include "scopeview/SVHitTest.h"

#include "scopeview/SVProjection.h"

#include "find/FieldMatch.h"
#include "find/FindObjects.h"
#include "find/FindObjectsMatch.h"
#include "model/Angles.h"
#include "model/ObjectIndex.h"
#include "model/UnitVector.h"
#include "model/records/BodyNumber.h"
#include "model/records/RecordConstants.h"
#include "skydraw/ChartSky.h"

#include <cmath>

namespace {

constexpr const char* kStarName = "Star";
constexpr const char* kDeepSkyName = "Deep Sky Object";
constexpr const char* kHT2StarName = "H/T2 Star";
constexpr const char* kSimStarName = "SIMBAD";
constexpr const char* kNomadStarName = "NOMAD Star";
constexpr int kSaturnMoonOffset = 10;

struct Square {
    QPointF p;
    double s;
    bool contains(QPointF q) const { return std::abs(q.x() - p.x()) <= s && std::abs(q.y() - p.y()) <= s; }
};

std::pair<double, double> raDec(const std::array<double, 3>& v)
{
    return UnitVector{v[0], v[1], v[2]}.raDec();
}

}  // namespace

namespace SVHitTest {

double halfSide(double viewWidth) { return FindObjects::pickRadius(viewWidth); }

Hit find(const Input& in)
{
    using FieldMatch::text;
    const Square square{in.point, halfSide(in.viewWidth)};
    const SVProjection& projection = in.projection;
    const auto at = [&](double x, double y, double z) { return projection.projectOfDate(x, y, z); };

    bool hasJupiter = false;
    bool hasSaturn = false;
    const std::span<const planet> planets = in.sky.planets;
    for (int k = 0; k <= BodyNumber::kMoon && std::size_t(k) < planets.size(); ++k) {
        const planet& p = planets[std::size_t(k)];
        const std::optional<QPointF> q = at(p.vecX, p.vecY, p.vecZ);
        hasJupiter |= k == BodyNumber::kJupiter && q;
        hasSaturn |= k == BodyNumber::kSaturn && q;
        if (q && square.contains(*q))
            return {kPlanetIndexBase + p.index, FindNaming::planetName(p.index), *q, std::pair{double(p.ra), double(p.dec)}};
    }
    for (std::size_t i = 0; hasJupiter && i < in.discs.jupiterSatPts.size(); ++i)
        if (square.contains(in.discs.jupiterSatPts[i]))
            return {kPlanetMoonIndexBase + int(i), {}, {}, {}};
    for (std::size_t i = 0; hasSaturn && i < in.discs.saturnSatPts.size(); ++i)
        if (square.contains(in.discs.saturnSatPts[i]))
            return {kPlanetMoonIndexBase + kSaturnMoonOffset + int(i), {}, {}, {}};

    for (const deepSky& d : in.sky.deepSkyData) {
        if (d.state == kStateFiltered)
            continue;
        const std::array<double, 3> v = projection.toDate(d.vecX, d.vecY, d.vecZ);
        const std::optional<QPointF> q = at(v[0], v[1], v[2]);
        if (q && square.contains(*q))
            return {kDeepSkyIndexBase + int(d.index),
                    FindNaming::firstNamed({text(d.name), text(d.messier), text(d.ngc)}, kDeepSkyName), *q, raDec(v)};
    }
    for (const comet& c : in.sky.comets) {
        const std::optional<QPointF> q = c.state == kStateFiltered ? std::nullopt : at(c.vecX, c.vecY, c.vecZ);
        if (q && square.contains(*q))
            return {kCometIndexBase + int(c.index), QString::fromLatin1(text(c.name)), *q,
                    std::pair{double(c.ra), double(c.dec)}};
    }
    for (const minorPlanet& m : in.sky.minorPlanets) {
        const std::optional<QPointF> q = m.state == kStateFiltered ? std::nullopt : at(m.vecX, m.vecY, m.vecZ);
        if (q && square.contains(*q))
            return {kMinorPlanetIndexBase + int(m.index), QString::fromLatin1(text(m.name)), *q,
                    std::pair{double(m.ra), double(m.dec)}};
    }

    const auto starOfDate = [&](const star& s) {
        const UnitVector u = UnitVector::fromRADec(s.raDeg * Angles::kDegToRad + s.pmRA * in.T,
                                                   s.decDeg * Angles::kDegToRad + s.pmDec * in.T);
        return projection.toDate(u.x, u.y, u.z);
    };
    if (!in.isNomadShown) {
        for (const star& s : in.sky.stars) {
            if (s.state == kStateFiltered)
                continue;
            const std::array<double, 3> v = starOfDate(s);
            const std::optional<QPointF> q = at(v[0], v[1], v[2]);
            if (q && square.contains(*q))
                return {kStarIndexBase + int(s.index), FindNaming::firstNamed({text(s.name), text(s.bayer)}, kStarName),
                        *q, raDec(v)};
        }
        for (std::size_t i = 0; i < in.ht2Stars.size(); ++i) {
            const ht2Star& h = in.ht2Stars[i];
            if (square.contains(QPointF(h.point.x, h.point.y)))
                return {kHT2StarIndexBase + int(i), QString::fromLatin1(kHT2StarName), {},
                        raDecOf(h)};
        }
        if (const star* sim = in.sky.simStar) {
            const std::array<double, 3> v = starOfDate(*sim);
            const std::optional<QPointF> q = at(v[0], v[1], v[2]);
            if (q && square.contains(*q))
                return {kSimStarIndex, QString::fromLatin1(kSimStarName), {}, raDec(v)};
        }
    }
    for (std::size_t i = 0; i < in.nomadStars.size(); ++i) {
        const nomadData& n = in.nomadStars[i];
        if (square.contains(QPointF(n.point.x, n.point.y)))
            return {kNomadStarIndexBase + int(i), QString::fromLatin1(kNomadStarName), {}, {}};
    }
    return {};
}

}  // namespace SVHitTest
