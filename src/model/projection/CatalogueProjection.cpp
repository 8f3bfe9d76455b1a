#include "model/projection/CatalogueProjection.h"

#include "model/projection/DeepSkyFilter.h"
#include "model/projection/RecordHorizon.h"
#include "model/Angles.h"
#include "model/SinCos.h"

#include <cmath>

namespace {

// Below this cosine of the declination (a few milliarcseconds from a pole) a
// star's right ascension is taken from the catalogue's angles.
constexpr double kLeastCosDeclination = 1e-8;

}  // namespace

namespace CatalogueProjection {

HorizonVector starDirection(const star& s, const ProjectionFrame& frame)
{
    // Without proper motion the stored J2000 direction is, bit for bit, what
    // the trigonometry of the star's angles would give.
    if (s.pmRA == 0.0 && s.pmDec == 0.0)
        return frame.fromJ2000(s.vecX, s.vecY, s.vecZ);
    const double t = frame.julianCenturies();
    const double raStep = s.pmRA * t;
    const double decStep = s.pmDec * t;
    const double ra = s.raDeg * Angles::kDegToRad + raStep;
    const double dec = s.decDeg * Angles::kDegToRad + decStep;
    // The stored direction's sines and cosines turned by the proper motion
    // since J2000: the steps' own pairs from their series cost a fraction of
    // the library's, for every star at every time step. Not at a pole, nor
    // without a stored direction, where the right ascension's pair cannot be
    // read from it.
    const double cosDec0 = std::sqrt(s.vecX * s.vecX + s.vecY * s.vecY);
    if (cosDec0 > kLeastCosDeclination) {
        const SinCos raNow = SinCos{s.vecY / cosDec0, s.vecX / cosDec0}.movedTo(ra, raStep);
        const SinCos decNow = SinCos{s.vecZ, cosDec0}.movedTo(dec, decStep);
        return frame.fromJ2000(decNow.cos * raNow.cos, decNow.cos * raNow.sin, decNow.sin);
    }
    const double cosDec = std::cos(dec);
    return frame.fromJ2000(cosDec * std::cos(ra), cosDec * std::sin(ra), std::sin(dec));
}

void projectStars(std::span<star> stars, const ProjectionFrame& frame, bool isTimeChange,
                  const CatalogueFilters::StarFilter& filter, std::vector<std::uint32_t>& onScreen)
{
    const double cut = frame.cut();
    const auto count = std::uint32_t(stars.size());
    onScreen.clear();
    for (std::uint32_t i = 0; i < count; ++i) {
        star& s = stars[i];
        const HorizonVector h = isTimeChange ? starDirection(s, frame) : RecordHorizon::stored(s);
        if (isTimeChange)
            RecordHorizon::store(s, h);
        if (filter.passes(s.mag, i))
            RecordHorizon::place(s, h, frame, cut);
        else
            s.state = kStateFiltered;
        // Noted while the record is at hand: the layers then read only these.
        if (s.state == kStateOnScreen)
            onScreen.push_back(i);
    }
}

void projectSimStar(star& simStar, const ProjectionFrame& frame)
{
    const HorizonVector h = starDirection(simStar, frame);
    RecordHorizon::store(simStar, h);
    RecordHorizon::place(simStar, h, frame, frame.cut());
}

void projectLabels(std::span<conLocn> labels, const ProjectionFrame& frame, bool isTimeChange)
{
    for (conLocn& label : labels) {
        const HorizonVector h = RecordHorizon::ofJ2000(label, frame, isTimeChange);
        RecordHorizon::show(label, h, frame, frame.cut());
    }
}

void projectBoundaries(std::span<boundaryLocn> points, const ProjectionFrame& frame,
                       bool isTimeChange)
{
    for (boundaryLocn& point : points) {
        const HorizonVector h = RecordHorizon::ofJ2000(point, frame, isTimeChange);
        RecordHorizon::show(point, h, frame, frame.overlayCut());
    }
}

void projectDeepSky(std::span<deepSky> objects, const ProjectionFrame& frame, bool isTimeChange,
                    const DeepSkyFilter& filter, std::optional<std::uint32_t> selected)
{
    const auto count = std::uint32_t(objects.size());
    for (std::uint32_t i = 0; i < count; ++i) {
        deepSky& object = objects[i];
        if (!filter.passes(object, selected == i)) {
            object.state = kStateFiltered;
            continue;
        }
        const HorizonVector h = RecordHorizon::ofJ2000(object, frame, isTimeChange);
        RecordHorizon::place(object, h, frame, frame.cut());
    }
}

}  // namespace CatalogueProjection
