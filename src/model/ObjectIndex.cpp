#include "model/ObjectIndex.h"

namespace {

constexpr int kPlanetRecords = 11;
constexpr int kJupiterMoons = 4;
constexpr int kSaturnMoonsFrom = 10;
constexpr int kSaturnMoons = 8;

}  // namespace

ObjectIndexParts splitObjectIndex(int index)
{
    switch (index) {
    case kNoObjectIndex: return {ObjectBand::Nothing, 0};
    case kTypedPositionIndex: return {ObjectBand::TypedPosition, 0};
    case kSimStarIndex: return {ObjectBand::SimStar, 0};
    default: break;
    }
    struct Band {
        int base;
        ObjectBand band;
    };
    static constexpr Band kBands[] = {
        {kStarIndexBase, ObjectBand::Star},       {kPlanetIndexBase, ObjectBand::Planet},
        {kDeepSkyIndexBase, ObjectBand::DeepSky}, {kCometIndexBase, ObjectBand::Comet},
        {kPlanetMoonIndexBase, ObjectBand::JupiterMoon}, {kHT2StarIndexBase, ObjectBand::HT2Star},
        {kNomadStarIndexBase, ObjectBand::NomadStar},    {kMinorPlanetIndexBase, ObjectBand::MinorPlanet},
    };
    for (const Band& b : kBands) {
        if (index < b.base || index >= b.base + kObjectBandSize)
            continue;
        const int number = index - b.base;
        if (b.band == ObjectBand::Planet && number >= kPlanetRecords)
            return {};
        if (b.band == ObjectBand::JupiterMoon) {
            if (number < kJupiterMoons)
                return {ObjectBand::JupiterMoon, number};
            if (number >= kSaturnMoonsFrom && number < kSaturnMoonsFrom + kSaturnMoons)
                return {ObjectBand::SaturnMoon, number - kSaturnMoonsFrom};
            return {};
        }
        return {b.band, number};
    }
    return {};
}
