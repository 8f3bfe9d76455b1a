#pragma once

#include "model/records/deepSky.h"

class CustomFilterList;

// The settings that choose the deep-sky objects of the chart.
struct DeepSkySwitches {
    double deepSkyMagLimit = 0.0;
    bool showBest = false;
    bool showAdvanced = false;
    bool showMessier = false;
    bool showCaldwell = false;
    bool showHerschel = false;
    bool showHerschelII = false;
    bool showArp = false;
    bool showOther = false;  // objects in no list
    bool showAll = false;    // every object, whatever the rest says
    bool showOpenCluster = false;
    bool showGlobularCluster = false;
    bool showGalaxy = false;
    bool showNebula = false;
    int customFilterIndex = 0;  // the custom list is in use when not 0
};

// Which deep-sky objects the chart shows: every object with showAll, the
// selected object always, otherwise those within the limit that belong to a
// list whose switch is on (or to no list, with showOther) and whose type is
// not switched off. Types 0 to 3 (galaxy, nebula, open and globular cluster)
// have switches; other types are never hidden by type.
class DeepSkyFilter {
public:
    // `customList` may be absent; it then holds nothing.
    DeepSkyFilter(const DeepSkySwitches& switches, const CustomFilterList* customList);

    // The limit: the setting plus 0.4, no limit at all above 24.0.
    static double limit(double deepSkyMagLimit);
    // In none of the built-in lists (the custom list does not count).
    static bool isInNoList(const deepSky& object);

    bool passes(const deepSky& object, bool isSelected) const;

private:
    bool isShownType(std::int32_t type) const;
    bool isInShownList(const deepSky& object) const;

    DeepSkySwitches m_switches;
    double m_limit;
    const CustomFilterList* m_customList;
};
