#include "skydraw/StarClasses.h"

#include "model/settings/PrefSwitches.h"

#include <algorithm>

float StarClasses::brightness(float mag, double starBrightVal, double starShiftVal)
{
    return float((double(mag) - 6.5) * starBrightVal + (6.5 - starShiftVal));
}

int StarClasses::screenClass(float v)
{
    for (int k = 0; k < kNumScreenClasses - 1; ++k) {
        if (v >= 6.0f - 0.5f * float(k))
            return k;
    }
    return kNumScreenClasses - 1;
}

int StarClasses::paperClass(float v)
{
    for (int c = 0; c < kNumPaperClasses - 1; ++c) {
        if (v >= 5.5f - float(c))
            return c;
    }
    return kNumPaperClasses - 1;
}

int StarClasses::originOffset(int screenClass)
{
    return screenClass < 3 ? 0 : std::min(5, (screenClass - 1) / 2);
}

int StarClasses::flagOffset(int screenClass)
{
    if (screenClass >= 11)
        return 11;
    return screenClass >= 7 ? 9 : 7;
}

namespace {

bool isOneOf(std::int32_t type, std::initializer_list<std::int32_t> types)
{
    return std::find(types.begin(), types.end(), type) != types.end();
}

const char* observingFlag(std::int32_t type, const PrefSwitches& s)
{
    if (s.isStarDouble() && type == 5)
        return "(D)";
    if (s.isStarAdvanced() && type == 1)
        return "(A)";
    if (s.isStarVariable() && (type == 2 || type == 3))
        return "(V)";
    if (s.isStarPlanet() && type == 4)
        return "(P)";
    return nullptr;
}

}  // namespace

const char* StarClasses::screenFlag(std::int32_t type, const PrefSwitches& s)
{
    if (s.isGeminiAC() && isOneOf(type, {6, 9, 10, 11}))
        return "(G)";
    if (s.isMeadeAC() && isOneOf(type, {7, 9, 10, 12}))
        return "(M)";
    if (s.isNexStarAC() && isOneOf(type, {8, 9, 11, 12}))
        return "(N)";
    if (const char* flag = observingFlag(type, s))
        return flag;
    return type == 13 ? "(C)" : nullptr;
}

const char* StarClasses::paperFlag(std::int32_t type, const PrefSwitches& s)
{
    return observingFlag(type, s);
}

bool StarClasses::isNameShown(const char* name, int capacity)
{
    if (capacity < 1 || name[0] == '\0' || name[0] == ' ')
        return false;
    // Catalogue designations (HR, HD, HIP, BD, CD ...) open with two capitals;
    // proper names such as Hadar or Hamal do not, and keep their labels.
    const auto isCapital = [](char c) { return c >= 'A' && c <= 'Z'; };
    return capacity < 2 || !(isCapital(name[0]) && isCapital(name[1]));
}
