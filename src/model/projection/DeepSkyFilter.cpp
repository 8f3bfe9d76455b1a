#include "model/projection/DeepSkyFilter.h"

#include "model/projection/CatalogueFilters.h"
#include "model/projection/CustomFilterList.h"

namespace {

bool isMessier(const deepSky& object)
{
    return object.messier[0] == 'M';
}

}  // namespace

DeepSkyFilter::DeepSkyFilter(const DeepSkySwitches& switches, const CustomFilterList* customList)
    : m_switches(switches),
      m_limit(limit(switches.deepSkyMagLimit)),
      m_customList(switches.customFilterIndex != 0 ? customList : nullptr)
{
}

double DeepSkyFilter::limit(double deepSkyMagLimit)
{
    const double l = deepSkyMagLimit + 0.4;
    return l > 24.0 ? 100.0 : l;
}

bool DeepSkyFilter::isInNoList(const deepSky& object)
{
    return object.list == 0 && object.caldwell == 0 && object.herschel == 0 && object.arp == 0 &&
           !isMessier(object);
}

bool DeepSkyFilter::passes(const deepSky& object, bool isSelected) const
{
    if (m_switches.showAll || isSelected)
        return true;
    if (!CatalogueFilters::isWithin(object.mag, m_limit) || !isShownType(object.type))
        return false;
    return isInShownList(object);
}

bool DeepSkyFilter::isShownType(std::int32_t type) const
{
    switch (type) {
    case 0: return m_switches.showGalaxy;
    case 1: return m_switches.showNebula;
    case 2: return m_switches.showOpenCluster;
    case 3: return m_switches.showGlobularCluster;
    default: return true;
    }
}

bool DeepSkyFilter::isInShownList(const deepSky& object) const
{
    const DeepSkySwitches& s = m_switches;
    if ((s.showBest && object.list == 1) || (s.showAdvanced && object.list == 2) ||
        (s.showCaldwell && object.caldwell != 0) || (s.showHerschel && object.herschel == 1) ||
        (s.showHerschelII && object.herschel == 2) || (s.showArp && object.arp != 0) ||
        (s.showMessier && isMessier(object)))
        return true;
    if (s.showOther && isInNoList(object))
        return true;
    // The custom list is a search through names: asked last, and only when
    // nothing cheaper decided.
    return m_customList && m_customList->findFilterObject(object);
}
