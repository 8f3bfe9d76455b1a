#pragma once

// One signed integer names any selectable object (the find selection, the
// tracked object): a band base plus the object's index in its table.
constexpr int kNoObjectIndex = -1;       // nothing
constexpr int kTypedPositionIndex = -2;  // coordinates typed in the find panel
constexpr int kSimStarIndex = -3;        // the temporary star of an online lookup
constexpr int kStarIndexBase = 0;
constexpr int kPlanetIndexBase = 100000;  // planet records 0 Sun .. 9 Moon, 10 Earth's shadow
constexpr int kDeepSkyIndexBase = 200000;
constexpr int kCometIndexBase = 300000;
constexpr int kPlanetMoonIndexBase = 500000;  // Jupiter's satellites from +0, Saturn's from +10
constexpr int kHT2StarIndexBase = 600000;
constexpr int kNomadStarIndexBase = 700000;
constexpr int kMinorPlanetIndexBase = 800000;
constexpr int kObjectBandSize = 100000;

enum class ObjectBand {
    Nothing, TypedPosition, SimStar,
    Star, Planet, DeepSky, Comet, JupiterMoon, SaturnMoon, HT2Star, NomadStar, MinorPlanet,
    Invalid,  // no object has this index
};

struct ObjectIndexParts {
    ObjectBand band = ObjectBand::Invalid;
    int number = 0;  // index in the band's table; a satellite's number for its planet
};

// The band of an index and the object's number in it. Every bound is
// checked: the unused band from 400000, indexes past the last band, planet
// records past Earth's shadow and satellite numbers the two planets lack are
// Invalid.
ObjectIndexParts splitObjectIndex(int index);
