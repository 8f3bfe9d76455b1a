#pragma once

#include "solarsystem/smallbodies/MinorPlanetImporter.h"
#include "solarsystem/smallbodies/MinorPlanetTable.h"

#include <QString>

// The astronomy model and the chart as the application menu drives them
// after an update of the element files.
class AppMenuModel {
public:
    virtual ~AppMenuModel() = default;
    // The folder of the element files, ending in "/".
    virtual QString buildDirectory() const = 0;
    // Each import raises its own alerts; the tables stay as they were when it fails.
    virtual bool createCometData(bool rebuild) = 0;
    virtual MinorPlanetTable::Result createMinorPlanetData(bool rebuild, bool useOrbitFile,
                                                           bool allOrbits) = 0;
    // createMinorPlanetData(true, true, allOrbits) split for a worker thread:
    // the job, which touches no table, and the step that puts its table in
    // place (raising the same alerts) on the interface thread.
    virtual MinorPlanetImporter::Work minorPlanetImport(bool allOrbits) = 0;
    virtual MinorPlanetTable::Result adoptMinorPlanets(MinorPlanetTable::Import& import) = 0;
    // For all records of `kind` (kSmallBodyMinorPlanets or kSmallBodyBoth),
    // at the sky date, without a path point.
    virtual void calculateCometPositions(int kind) = 0;
    virtual void calculateStarPositions(bool force) = 0;
    // Rebuilds the catalogue caches from their sources and projects them;
    // a cache that fails keeps its old table and shows its alert.
    virtual bool rebuildDatabase() = 0;
    // Redraws the chart at once.
    virtual void display() = 0;
};
