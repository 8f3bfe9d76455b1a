#include "app/ChartSkyLink.h"

#include "model/Angles.h"
#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/settings/PrefControl.h"
#include "solarsystem/SolarSystemModel.h"

#include <utility>

ChartSkyLink::ChartSkyLink(const StarDatabaseModel& model, const PrefControl& prefs, const SkyDateModel& skyDate,
                           std::function<double()> sunAlt)
    : m_model(model), m_prefs(prefs), m_skyDate(skyDate), m_sunAlt(std::move(sunAlt))
{
}

ChartSky ChartSkyLink::chartSky() const
{
    ChartSky sky;
    sky.stars = m_model.stars();
    sky.starsOnScreen = m_model.starsOnScreen();
    sky.simStar = m_model.simStar();
    sky.deepSkyData = m_model.deepSkyData();
    sky.conLines = m_model.conLinesArray();
    sky.conLocns = m_model.conLocnArray();
    sky.boundaries = m_model.boundaryLocns();
    sky.raGrid = m_model.raLocnArray();
    sky.altAzGrid = m_model.altAzArray();
    sky.mwCoords = m_model.mwCoords();
    for (int k = 0; k < ChartSky::kNumMilkyWayPaths; ++k) {
        sky.mwPaths[std::size_t(k)] = m_model.mwPath(k);
        sky.mwPathVisible[std::size_t(k)] = m_model.pathIsVisible(k);
    }
    sky.planets = m_model.planets();
    sky.comets = m_model.comets();
    sky.minorPlanets = m_model.minorPlanets();
    sky.planetPaths = m_model.planetPaths();
    sky.hasPlanetPath = m_model.hasPlanetPath();
    sky.meteors = m_model.meteors();
    if (m_solarSystem) {
        sky.neoIndex = m_solarSystem->neoIndex();
        sky.minorPlanetsOnScreen = m_solarSystem->minorPlanetsOnScreen();
        sky.moonAD = m_solarSystem->moonAD();
        sky.moonHP = m_solarSystem->moonHP();
        sky.moonTermA = m_solarSystem->moonTermA();
        sky.moonPhase = m_solarSystem->moonPhase();
    }

    sky.radius = m_model.radius();
    sky.isHorizon = m_model.isHorizon();
    sky.horizonPath = m_model.horizonPath();
    sky.horizonPt = m_model.horizonPt();
    sky.site = {m_prefs.latitude() * Angles::kDegToRad, m_skyDate.primeMeridian() * Angles::kDegToRad};
    sky.view = {m_prefs.altitude(), m_prefs.azimuth(), m_model.radius(), float(m_model.skyRect().width()),
                float(m_model.skyRect().height())};

    sky.sunAlt = m_sunAlt ? m_sunAlt() : 0.0;
    sky.isDatePM = m_skyDate.isDatePM();
    sky.skyDate = m_skyDate.skyDate();
    return sky;
}
