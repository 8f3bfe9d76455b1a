#include "solarsystem/SolarSystemModel.h"

#include "model/ObjectIndex.h"
#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/records/BodyNumber.h"
#include "model/settings/PrefControl.h"
#include "solarsystem/TelescopeTracking.h"

namespace {

constexpr std::size_t kJupiter = BodyNumber::kJupiter;
constexpr std::size_t kSaturn = BodyNumber::kSaturn;

static_assert(PlanetPath::kPointCount == StarDatabaseModel::kNumPlanetPathPoints);

}  // namespace

SolarSystemModel::SolarSystemModel(StarDatabaseModel& model, const PrefControl& prefControl,
                                   const SkyDateModel& skyDate)
    : m_model(model),
      m_prefControl(prefControl),
      m_skyDate(skyDate),
      m_planets(model, prefControl, skyDate,
                [this](int entry, double ra, double dec) {
                    if (m_tracking && !m_tracking->isConnected() &&
                        m_tracking->trackIndex() == kPlanetIndexBase + entry)
                        m_tracking->setTrackRA(ra, dec);
                }),
      m_smallBodies(model, prefControl, skyDate)
{
    model.setPlanetPositions(&m_planets);
    model.setSmallBodyPositions(&m_smallBodies);
    model.setSmallBodyCatalogues(&m_smallBodies);
    model.addCacheRebuilder(m_smallBodies.cometCache());
    model.addCacheRebuilder(m_smallBodies.minorPlanetCache());
}

void SolarSystemModel::setTelescopeTracking(TelescopeTracking* tracking)
{
    m_tracking = tracking;
    m_smallBodies.setTelescopeTracking(tracking);
}

void SolarSystemModel::calculatePlanetPath()
{
    PlanetPath::calculatePlanetPath({m_prefControl.isPath(), m_prefControl.pathDays(),
                                     m_prefControl.pathPercent(), m_prefControl.findIndex()},
                                    *this);
}

void SolarSystemModel::calculateJupiterSatellites()
{
    const PlanetaryState& s = m_planets.state();
    m_jupiter.calculateJupiterSatellites({m_skyDate.julianDay(),
                                          m_model.planets()[kJupiter].geoDistance,
                                          m_prefControl.isMetric(), s.jL, s.jB, s.jsL, s.jsB});
}

void SolarSystemModel::calculateSaturnSatellites()
{
    const PlanetaryState& s = m_planets.state();
    m_saturn.calculateSaturnSatellites({m_skyDate.julianDay(),
                                        m_model.planets()[kSaturn].geoDistance,
                                        m_prefControl.isMetric(), s.sL, s.sB});
}

void SolarSystemModel::planetPathPoint(double dayOffset, std::int16_t body, std::int16_t slot)
{
    m_planets.calculatePlanetPositions(dayOffset, body, slot, false);
}

void SolarSystemModel::cometPathPoint(int kind, double dayOffset, long index, std::int16_t slot)
{
    m_smallBodies.calculateCometPositions(kind, dayOffset, int(index), slot);
}

long SolarSystemModel::numComets() const
{
    return long(m_smallBodies.comets().size());
}

long SolarSystemModel::numMinorPlanets() const
{
    return long(m_smallBodies.minorPlanets().size());
}

void SolarSystemModel::setHasPlanetPath(bool hasPath)
{
    m_model.setHasPlanetPath(hasPath);
}

void SolarSystemModel::reproject()
{
    m_model.calculateStarPositions(true);
}
