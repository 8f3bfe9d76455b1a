#pragma once

#include "chart/appmenu/AppMenuModel.h"

class SmallBodyTables;
class StarDatabaseModel;
struct ChartOutlets;

// The astronomy model, its small-body tables and the chart view as the
// application menu drives them.
class AppMenuModelLink final : public AppMenuModel {
public:
    AppMenuModelLink(StarDatabaseModel& model, SmallBodyTables& smallBodies,
                     const ChartOutlets& outlets)
        : m_model(model), m_smallBodies(smallBodies), m_outlets(outlets)
    {
    }

    QString buildDirectory() const override;
    bool createCometData(bool rebuild) override;
    MinorPlanetTable::Result createMinorPlanetData(bool rebuild, bool useOrbitFile,
                                                   bool allOrbits) override;
    MinorPlanetImporter::Work minorPlanetImport(bool allOrbits) override;
    MinorPlanetTable::Result adoptMinorPlanets(MinorPlanetTable::Import& import) override;
    void calculateCometPositions(int kind) override;
    void calculateStarPositions(bool force) override;
    bool rebuildDatabase() override;
    void display() override;

private:
    StarDatabaseModel& m_model;
    SmallBodyTables& m_smallBodies;
    const ChartOutlets& m_outlets;
};
