#include "solarsystem/planets/PlanetaryPositions.h"

#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/records/BodyNumber.h"
#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"

#include <cmath>

namespace {

using BodyNumber::kMoon;
using BodyNumber::kShadow;

}  // namespace

PlanetaryPositions::PlanetaryPositions(StarDatabaseModel& model, const PrefControl& prefControl,
                                       const SkyDateModel& skyDate,
                                       PlanetaryPass::PlacedCallback placed)
    : m_model(model),
      m_prefControl(prefControl),
      m_skyDate(skyDate),
      m_placed(placed),
      m_pass(std::move(placed))
{
}

void PlanetaryPositions::calculatePlanetPositions(double dayOffset, int body, int pathSlot,
                                                  bool plotOnly)
{
    PlanetaryPassRequest request;
    request.julianDay = m_skyDate.julianDay();
    request.dayOffset = dayOffset;
    request.body = body;
    request.pathSlot = pathSlot;
    request.plotOnly = plotOnly;
    request.isMetric = m_prefControl.isMetric();
    request.latitude = m_prefControl.latitude();
    request.primeMeridian = m_skyDate.primeMeridian();
    const std::span<planet, 11> planets = m_model.planets();
    if (!m_pass.run(request, planets, m_model.planetPaths())) {
        if (!(std::abs(dayOffset) <= PlanetaryPass::kDayOffsetLimit))
            AlertPanel::beep();
        return;
    }
    if (!m_pass.state().moonDue)
        return;
    const PlanetHandOver& h = m_pass.state().handOver;
    m_moon = MoonStep::calculateMoon({h.pT, h.pNutLong, h.pCO, h.pSO, h.pLe, request.primeMeridian,
                                      request.latitude, request.isMetric},
                                     planets[kMoon], planets[kShadow]);
    if (m_placed)
        m_placed(kMoon, planets[kMoon].ra, planets[kMoon].dec);
}
