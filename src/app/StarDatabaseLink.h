#pragma once

#include "chart/CatalogueStore.h"
#include "chart/ObjectCentering.h"
#include "chart/StarProjection.h"
#include "model/catalogue/CatalogueFolders.h"

class StarDatabaseModel;

// The astronomy model as the chart drives it: its catalogue store, loading
// from the given folders, its projection pass and its centring.
class StarDatabaseLink final : public CatalogueStore, public StarProjection,
                               public ObjectCentering {
public:
    StarDatabaseLink(StarDatabaseModel& model, CatalogueFolders folders);

    void setupDatabase() override;
    void createHorizonAltAz(int currentSite) override;
    void createCustomHorizons() override;
    void calculateStarPositions(bool force) override;
    void centerObject() override;

private:
    StarDatabaseModel& m_model;
    CatalogueFolders m_folders;
};
