#pragma once

#include "chart/CatalogueStore.h"
#include "chart/StarProjection.h"
#include "model/CatalogueFolders.h"

class StarDatabaseModel;

// The astronomy model as the chart drives it: its catalogue store, loading
// from the given folders, and its projection pass.
class StarDatabaseLink final : public CatalogueStore, public StarProjection {
public:
    StarDatabaseLink(StarDatabaseModel& model, CatalogueFolders folders);

    void setupDatabase() override;
    void createHorizonAltAz(int currentSite) override;
    void calculateStarPositions(bool force) override;

private:
    StarDatabaseModel& m_model;
    CatalogueFolders m_folders;
};
