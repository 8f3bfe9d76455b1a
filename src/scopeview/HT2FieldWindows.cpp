#include "scopeview/HT2FieldWindows.h"

#include "model/Angles.h"

#include <algorithm>
#include <cmath>

namespace {

// The smallest half width in right ascension, so that a tiny field still
// reads a sliver of sky.
constexpr double kMinHalfWidth = 0.02;

// A band's place counted from the south pole (bands 14 ... 0, then 15 ... 29),
// and a place's band: the map is its own inverse.
int placeOf(int band)
{
    return band < HT2FieldWindows::kNorthZones ? HT2FieldWindows::kNorthZones - 1 - band : band;
}

}  // namespace

int HT2FieldWindows::bandOf(double dec)
{
    const int last = kNorthZones - 1;
    if (dec >= 0.0)
        return kNorthZones + std::min(last, int(std::floor(dec / kBandDegrees)));
    return std::clamp(int(std::ceil(-dec / kBandDegrees)) - 1, 0, last);
}

HT2FieldWindows HT2FieldWindows::choose(double raJ, double decJ, double margin)
{
    HT2FieldWindows w;
    if (!std::isfinite(raJ) || !std::isfinite(decJ) || !std::isfinite(margin))
        return w;
    if (std::abs(decJ) < kPolarDeclination) {
        const double half = std::max(margin, kMinHalfWidth) / std::cos(decJ * Angles::kDegree);
        const double lo = raJ - half;
        const double hi = raJ + half;
        if (2.0 * half >= 360.0) {
            // The whole circle, read once.
        } else if (lo < 0.0) {
            w = {0.0, hi, true, lo + 360.0, 360.0, {}};
        } else if (hi > 360.0) {
            w = {lo, 360.0, true, 0.0, hi - 360.0, {}};
        } else {
            w = {lo, hi, false, 0.0, 0.0, {}};
        }
    }

    const double decLo = std::max(-90.0, decJ - margin);
    const double decHi = std::min(90.0, decJ + margin);
    const int south = placeOf(bandOf(decLo));
    const int north = placeOf(bandOf(decHi));
    if (decLo < 0.0) {
        for (int place = south; place <= north; ++place)
            w.bands.push_back(placeOf(place));
    } else {
        for (int place = north; place >= south; --place)
            w.bands.push_back(placeOf(place));
    }
    return w;
}
