#pragma once

#include <functional>
#include <optional>

// The moments a place of date, moving or fixed, crosses the meridian or an
// altitude: a first estimate from the place at the start, refined with the
// place at each new estimate until it settles (Meeus, Astronomical
// Algorithms, ch. 15); an altitude crossing the estimate misses is found by
// halving between the turns of the place's altitude, each sought about a
// culmination. Times are Julian days (UT); the hour angle runs from the mean
// sidereal time.
namespace PlaceEvents {

struct SkyPlace {
    double ra;   // radians of date
    double dec;  // radians of date
};
using PlaceAt = std::function<SkyPlace(double julianDay)>;

struct Site {
    double latitude;   // degrees, north positive
    double longitude;  // degrees, east positive
};

// Degrees the hour angle advances in a day of mean solar time.
inline constexpr double kSiderealDegreesPerDay = 360.98564736629;

// The place's altitude at jd, degrees: its centre, no refraction.
double altitude(const SkyPlace& place, const Site& site, double jd);

// The first upper transit at or after `from` and before `to`; none when the
// place does not cross the meridian in that span.
std::optional<double> transit(const PlaceAt& place, const Site& site, double from, double to);

// The first moment at or after `from` and before `to` the place rises
// (`rising`) or sets through `altitude` degrees; none when it does not in that
// span, or stays above or below that altitude at the moment found. The
// halving runs only where the estimate may miss a crossing or take a rise
// for a set: none estimated, or (in its stead) a level near the place's
// highest or lowest altitude of the span.
std::optional<double> crossing(const PlaceAt& place, const Site& site, double from, double to,
                               double altitude, bool rising);

// The same place, `place` asked once for each moment however often that
// moment is asked again: for one calculation whose searches come back to the
// same moments (each of a day's searches starts at its first). Copies share
// what was asked; not for use from two threads at once.
PlaceAt remembered(PlaceAt place);

}  // namespace PlaceEvents
