#include "app/SolarSystemLink.h"

#include "solarsystem/SolarSystemModel.h"

void SolarSystemLink::calculatePlanetPath() { m_solarSystem.calculatePlanetPath(); }
