#include "scopeview/SVSolarSystemLink.h"

#include "solarsystem/SolarSystemModel.h"

void SVSolarSystemLink::calculateJupiterSatellites() { m_model.calculateJupiterSatellites(); }

void SVSolarSystemLink::calculateSaturnSatellites() { m_model.calculateSaturnSatellites(); }

SVDiscSky SVSolarSystemLink::discSky() const
{
    const SolarSystemModel& m = m_model;
    SVDiscSky s;
    s.moonAD = m.moonAD();
    s.moonHP = m.moonHP();
    s.moonPhase = m.moonPhase();
    s.mercuryPhase = m.mercuryPhase();
    s.venusPhase = m.venusPhase();
    s.jupIIlong = m.jupIIlong();
    s.jupiterSatX = m.jupiterSatX();
    s.jupiterSatY = m.jupiterSatY();
    s.jupiterSatVis = m.jupiterSatVis();
    s.jSatShadowX = m.jSatShadowX();
    s.jSatShadowY = m.jSatShadowY();
    s.jSatShadowVis = m.jSatShadowVis();
    s.saturnP = m.saturnP();
    s.saturnB = m.saturnB();
    s.saturnBPrime = m.saturnBPrime();
    s.saturnLes = m.saturnLes();
    s.saturnSatX = m.saturnSatX();
    s.saturnSatY = m.saturnSatY();
    s.saturnSatVis = m.saturnSatVis();
    return s;
}
