#include "find/PlaceEvents.h"

#include "model/Angles.h"
#include "model/SkyCoordinates.h"
#include "model/SkyDateModel.h"

#include <algorithm>
#include <cmath>

namespace PlaceEvents {

namespace {

// Refinements before an estimate counts as unsettled.
constexpr int kMaxSteps = 8;
// About a tenth of a second.
constexpr double kSettledDays = 1e-6;
constexpr double kSiderealDay = 360.0 / kSiderealDegreesPerDay;
// Steps of the search for the moment an event first becomes possible: an
// hour, then halved down to about a second.
constexpr double kPossibleStep = 1.0 / 24.0;
constexpr double kPossibleSettled = 1e-5;

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

// The first moment at or after `from` and before `to` the target exists:
// hourly steps, then halving the step where it appears. An event can only
// come once its target exists, so its search starts there.
std::optional<double> firstPossible(const PlaceAt& place, const Target& target, double from, double to)
{
    if (target(place(from)))
        return from;
    double before = from;
    double after = from;
    do {
        before = after;
        after = std::min(to, after + kPossibleStep);
        if (target(place(after))) {
            while (after - before > kPossibleSettled) {
                const double middle = (before + after) / 2.0;
                (target(place(middle)) ? after : before) = middle;
            }
            return after;
        }
    } while (after < to);
    return std::nullopt;
}

std::optional<double> firstEvent(const PlaceAt& place, const Site& site, const Target& target, double from,
                                 double to)
{
    if (!(from < to))
        return std::nullopt;
    // A place beyond the altitude at the start (the Sun of the last midnight
    // sun) may reach it later in the span: the estimate starts where it first can.
    const std::optional<double> begin = firstPossible(place, target, from, to);
    if (!begin)
        return std::nullopt;
    const SkyPlace start = place(*begin);
    const double estimate =
        *begin + Angles::wrap360(*target(start) - hourAngle(start, site, *begin)) / kSiderealDegreesPerDay;
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

}  // namespace

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
    return firstEvent(place, site, target, from, to);
}

}  // namespace PlaceEvents
