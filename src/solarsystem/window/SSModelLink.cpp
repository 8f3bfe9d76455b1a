#include "solarsystem/window/SSModelLink.h"

#include "solarsystem/SolarSystemModel.h"

#include <cstring>
#include <span>

namespace {

template <typename Record>
std::optional<QString> nameIn(std::span<const Record> table, int record)
{
    if (record < 0 || std::size_t(record) >= table.size())
        return std::nullopt;
    const auto& name = table[std::size_t(record)].name;
    return QString::fromLatin1(name, qsizetype(strnlen(name, sizeof name)));
}

}  // namespace

double SSModelLink::planetPlotL(int k) const
{
    return k >= 0 ? m_solarSystem.planetPlotL(std::uint16_t(k)) : 0.0;
}

void SSModelLink::calculatePlanetPositions(double days)
{
    m_solarSystem.planetaryPositions().calculatePlanetPositions(days, -1, -1, true);
}

std::optional<OrbitPlot> SSModelLink::smallBodyOrbit(int kind, double days, int record)
{
    return m_solarSystem.smallBodies().calculate(kind, days, record, -1).orbitPlot;
}

std::optional<QString> SSModelLink::smallBodyName(int kind, int record) const
{
    const SmallBodyTables& tables = m_solarSystem.smallBodies();
    if (kind == kSmallBodyComets)
        return nameIn<comet>(tables.comets(), record);
    if (kind == kSmallBodyMinorPlanets)
        return nameIn<minorPlanet>(tables.minorPlanets(), record);
    return std::nullopt;
}
