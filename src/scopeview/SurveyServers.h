#pragma once

#include <array>

// The survey names the image services are asked for, by the drawer's server
// index: 0 to 8 of the STScI kind, 9 and 10 ESO-style, 11 and 12 SkyView-style
// (linear and logarithmic scaling).
namespace SurveyServers {

inline constexpr std::array<const char*, 13> kNames{
    "poss2ukstu", "poss2ukstu_red", "poss2ukstu_blue", "poss2ukstu_ir", "dss1",
    "poss1_red",  "poss1_blue",     "quickv",          "phase2",        "DSS1",
    "DSS2",       "DSS",            "DSS",
};
inline constexpr int kStartIndex = 8;
inline constexpr int kFirstEsoIndex = 9;
inline constexpr int kFirstSkyViewIndex = 11;

// The image width asked for is the field times this, in arcminutes; the
// cut-out services (all but SkyView-style) give at most kMaxCutArcmin.
inline constexpr float kArcminPerDegree = 62.2f;
inline constexpr float kMaxCutArcmin = 60.0f;

inline bool isEsoStyle(int index) { return index >= kFirstEsoIndex && index < kFirstSkyViewIndex; }
inline bool isSkyViewStyle(int index) { return index >= kFirstSkyViewIndex; }

// An index outside the table reads as the start-up choice.
inline int validIndex(int index)
{
    return index >= 0 && index < int(kNames.size()) ? index : kStartIndex;
}

}  // namespace SurveyServers
