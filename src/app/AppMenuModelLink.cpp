#include "app/AppMenuModelLink.h"

#include "chart/ChartOutlets.h"
#include "model/StarDatabaseModel.h"
#include "skydraw/ChartDisplay.h"
#include "solarsystem/smallbodies/SmallBodyTables.h"

namespace {

constexpr double kNoDayOffset = 0.0;
constexpr int kAllRecords = -1;
constexpr int kNoPathSlot = -1;

}  // namespace

QString AppMenuModelLink::buildDirectory() const { return m_model.buildDirectory(); }

bool AppMenuModelLink::createCometData(bool rebuild)
{
    return m_smallBodies.createCometData(rebuild);
}

MinorPlanetTable::Result AppMenuModelLink::createMinorPlanetData(bool rebuild, bool useOrbitFile,
                                                                 bool allOrbits)
{
    return m_smallBodies.importMinorPlanets(rebuild, useOrbitFile, allOrbits);
}

MinorPlanetImporter::Work AppMenuModelLink::minorPlanetImport(bool allOrbits)
{
    return m_smallBodies.orbitFileImport(allOrbits);
}

MinorPlanetTable::Result AppMenuModelLink::adoptMinorPlanets(MinorPlanetTable::Import& import)
{
    return m_smallBodies.adoptMinorPlanets(import);
}

void AppMenuModelLink::calculateCometPositions(int kind)
{
    m_smallBodies.calculateCometPositions(kind, kNoDayOffset, kAllRecords, kNoPathSlot);
}

void AppMenuModelLink::calculateStarPositions(bool force) { m_model.calculateStarPositions(force); }

bool AppMenuModelLink::rebuildDatabase() { return m_model.rebuildDatabase(); }

void AppMenuModelLink::display()
{
    if (m_outlets.skyView)
        m_outlets.skyView->display();
}
