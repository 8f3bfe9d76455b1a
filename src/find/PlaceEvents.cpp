#include "find/PlaceEvents.h"

#include "model/Angles.h"
#include "model/SkyCoordinates.h"
#include "model/SkyDateModel.h"

#include <boost/math/tools/minima.hpp>

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <vector>

namespace PlaceEvents {

namespace {

// Refinements before an estimate counts as unsettled.
constexpr int kMaxSteps = 8;
// About a tenth of a second.
constexpr double kSettledDays = 1e-6;
constexpr double kSiderealDay = 360.0 / kSiderealDegreesPerDay;
// Culminations of a kind are a day apart: half a day past one clears it.
constexpr double kHalfDay = 0.5;
// Culminations are sought this far either side of the span, so that the
// pieces about them (half the way to each neighbour) cover the whole span.
constexpr double kBeyondSpan = 1.0;
// Precision of a turn of the altitude, in bits of its piece: some ten
// seconds, which misjudges its altitude by well under an arcsecond.
constexpr int kTurnBits = 14;
constexpr std::uintmax_t kMaxTurnSteps = 60;
// Degrees by which a place's highest or lowest altitude of the span may
// differ from the culmination altitudes its declinations at the span's ends
// give: more than the bend of any declination through a day and the Moon's
// parallax moving its declination through the day's turn together. A level
// nearer than this to either culmination is grazed.
constexpr double kGrazingDegrees = 3.0;

// Hour angle of the place at jd, degrees.
double hourAngle(const SkyPlace& p, const Site& site, double jd)
{
    return SkyDateModel::greenwichSiderealHours(jd) * 15.0 + site.longitude - p.ra / Angles::kDegree;
}

// The hour angle (degrees) the event wants of a place; none when it never comes.
using Target = std::function<std::optional<double>(const SkyPlace&)>;

// The event nearest `jd`: the hour angle's distance from the target, turned
// into time at the sidereal rate, taken off with the place of the new moment.
std::optional<double> refine(const PlaceAt& place, const Site& site, const Target& target, double jd)
{
    for (int step = 0; step < kMaxSteps; ++step) {
        const SkyPlace p = place(jd);
        const std::optional<double> wanted = target(p);
        if (!wanted)
            return std::nullopt;
        const double delta = Angles::wrap180(hourAngle(p, site, jd) - *wanted) / kSiderealDegreesPerDay;
        jd -= delta;
        if (std::abs(delta) < kSettledDays)
            return jd;
    }
    return std::nullopt;
}

std::optional<double> firstEvent(const PlaceAt& place, const Site& site, const Target& target, double from,
                                 double to)
{
    if (!(from < to))
        return std::nullopt;
    const SkyPlace start = place(from);
    const std::optional<double> wanted = target(start);
    // A place beyond the altitude at the start may still reach it later in the span.
    const double startAngle = wanted ? *wanted : 0.0;
    const double estimate =
        from + Angles::wrap360(startAngle - hourAngle(start, site, from)) / kSiderealDegreesPerDay;
    const auto within = [&](std::optional<double> jd) { return jd && *jd >= from && *jd < to; };
    std::optional<double> jd = refine(place, site, target, estimate);
    if (within(jd))
        return jd;
    // The place moved the event out of the span: the neighbouring one may lie inside.
    jd = refine(place, site, target, jd && *jd < from ? estimate + kSiderealDay : estimate - kSiderealDay);
    if (within(jd))
        return jd;
    return std::nullopt;
}

// The moments inside the span at which the altitude turns. Each culmination
// owns the piece from halfway after the one before to halfway before the one
// after, where its hour angle lies within about a quarter turn: there the hour
// angle alone takes the altitude one way up to the culmination and the other
// way after it, and a moving declination only shifts the turn (the Moon's, at
// high latitudes, tens of minutes from its culmination) or pushes it to the
// piece's end. So the altitude runs one way between consecutive turns.
std::vector<double> turns(const PlaceAt& place, const Site& site, double from, double to)
{
    struct Culmination {
        double jd;
        bool upper;
    };
    std::vector<Culmination> culminations;
    for (const bool upper : {true, false}) {
        const Target target = [upper](const SkyPlace&) { return std::optional<double>(upper ? 0.0 : 180.0); };
        const double last = to + kBeyondSpan;
        for (auto jd = firstEvent(place, site, target, from - kBeyondSpan, last); jd;
             jd = firstEvent(place, site, target, *jd + kHalfDay, last))
            culminations.push_back({*jd, upper});
    }
    std::sort(culminations.begin(), culminations.end(),
              [](const Culmination& a, const Culmination& b) { return a.jd < b.jd; });
    std::vector<double> found;
    for (std::size_t k = 1; k + 1 < culminations.size(); ++k) {
        const double start = (culminations[k - 1].jd + culminations[k].jd) / 2.0;
        const double end = (culminations[k].jd + culminations[k + 1].jd) / 2.0;
        if (end <= from || start >= to)
            continue;
        // The highest point is the lowest of the altitude turned over.
        const double sign = culminations[k].upper ? -1.0 : 1.0;
        const auto turned = [&](double offset) {
            const double jd = start + offset;
            return sign * altitude(place(jd), site, jd);
        };
        std::uintmax_t steps = kMaxTurnSteps;
        const double jd =
            start + boost::math::tools::brent_find_minima(turned, 0.0, end - start, kTurnBits, steps).first;
        if (jd > from && jd < to)
            found.push_back(jd);
    }
    return found;
}

// The first crossing of `level` degrees at or after `from` and before `to`,
// found by halving between the turns of the altitude, each piece running one
// way: it finds what the hour angle's estimate misses, a place that first
// reaches the level later in the span (the Sun's first set after the midnight
// Sun), dips a few arcseconds under it for minutes, or rises and sets again
// before it culminates (the Moon at high latitudes).
std::optional<double> bracketed(const PlaceAt& place, const Site& site, double from, double to, double level,
                                bool rising)
{
    std::vector<double> ends = turns(place, site, from, to);
    ends.push_back(from);
    ends.push_back(to);
    std::sort(ends.begin(), ends.end());
    const auto below = [&](double jd) { return altitude(place(jd), site, jd) < level; };
    for (std::size_t k = 1; k < ends.size(); ++k) {
        double before = ends[k - 1];
        double after = ends[k];
        if (below(before) != rising || below(after) == rising)
            continue;
        while (after - before > kSettledDays) {
            const double middle = (before + after) / 2.0;
            (below(middle) == rising ? before : after) = middle;
        }
        return after < to ? std::optional<double>(after) : std::nullopt;
    }
    return std::nullopt;
}

// The altitudes (degrees) a place can reach in a span, from the culminations
// its declinations at the span's ends give: the upper culmination's altitude
// is 90 - |latitude - dec|, the lower one's |latitude + dec| - 90, each
// taken over the declinations between the ends.
struct Reach {
    double upperLow;
    double upperHigh;
    double lowerLow;
    double lowerHigh;

    // Whether the place can come to `level` in the span at all.
    bool touches(double level) const
    {
        return level >= lowerLow - kGrazingDegrees && level <= upperHigh + kGrazingDegrees;
    }
    // Whether `level` lies near enough to a culmination that the place may
    // just reach it, stay beyond it, or dip past it for minutes: there the
    // hour angle of the crossing swings fast with the declination, and the
    // estimate can miss it.
    bool grazes(double level) const
    {
        const auto near = [level](double low, double high) {
            return level >= low - kGrazingDegrees && level <= high + kGrazingDegrees;
        };
        return near(upperLow, upperHigh) || near(lowerLow, lowerHigh);
    }
};

Reach reachOver(const SkyPlace& start, const SkyPlace& end, double latitude)
{
    const double decLow = std::min(start.dec, end.dec) / Angles::kDegree;
    const double decHigh = std::max(start.dec, end.dec) / Angles::kDegree;
    const auto upper = [latitude](double dec) { return 90.0 - std::abs(latitude - dec); };
    const auto lower = [latitude](double dec) { return std::abs(latitude + dec) - 90.0; };
    const bool overhead = latitude >= decLow && latitude <= decHigh;
    const bool underfoot = -latitude >= decLow && -latitude <= decHigh;
    return {std::min(upper(decLow), upper(decHigh)), overhead ? 90.0 : std::max(upper(decLow), upper(decHigh)),
            underfoot ? -90.0 : std::min(lower(decLow), lower(decHigh)), std::max(lower(decLow), lower(decHigh))};
}

}  // namespace

PlaceAt remembered(PlaceAt place)
{
    auto asked = std::make_shared<std::map<double, SkyPlace>>();
    return [place = std::move(place), asked](double julianDay) {
        // A moment that is no number cannot be a key: it is asked each time.
        if (!std::isfinite(julianDay))
            return place(julianDay);
        const auto [it, added] = asked->try_emplace(julianDay);
        if (added)
            it->second = place(julianDay);
        return it->second;
    };
}

double altitude(const SkyPlace& place, const Site& site, double jd)
{
    const double lst = (SkyDateModel::greenwichSiderealHours(jd) * 15.0 + site.longitude) * Angles::kDegree;
    double az = 0.0;
    double alt = 0.0;
    SkyCoordinates::CalculateAzFromRA(place.ra, place.dec, {site.latitude * Angles::kDegree, lst}, &az, &alt);
    return alt / Angles::kDegree;
}

std::optional<double> transit(const PlaceAt& place, const Site& site, double from, double to)
{
    return firstEvent(place, site, [](const SkyPlace&) { return std::optional<double>(0.0); }, from, to);
}

std::optional<double> crossing(const PlaceAt& place, const Site& site, double from, double to, double altitude,
                               bool rising)
{
    const double phi = site.latitude * Angles::kDegree;
    const double h0 = altitude * Angles::kDegree;
    const Target target = [=](const SkyPlace& p) -> std::optional<double> {
        const double cosH = (std::sin(h0) - std::sin(phi) * std::sin(p.dec)) / (std::cos(phi) * std::cos(p.dec));
        if (!(std::abs(cosH) <= 1.0))
            return std::nullopt;
        const double H = std::acos(cosH) / Angles::kDegree;
        return rising ? -H : H;
    };
    if (!(from < to))
        return std::nullopt;
    const SkyPlace start = place(from);
    const SkyPlace end = place(to);
    const Reach reach = reachOver(start, end, site.latitude);
    if (!reach.touches(altitude))
        return std::nullopt;
    // Grazed, a rise and a set may both lie on one side of the culmination,
    // where the estimate may take the one for the other.
    if (reach.grazes(altitude))
        return bracketed(place, site, from, to, altitude, rising);
    // Ungrazed, the crossing's hour angle moves far slower than the place's:
    // the first moment the two meet after the start is the one estimated.
    const std::optional<double> estimated = firstEvent(place, site, target, from, to);
    return estimated ? estimated : bracketed(place, site, from, to, altitude, rising);
}

}  // namespace PlaceEvents
