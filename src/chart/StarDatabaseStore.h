#pragma once

#include "chart/CatalogueStore.h"
#include "model/CatalogueFolders.h"

class StarDatabaseModel;

// The catalogue store of the astronomy model, loading from the given folders.
class StarDatabaseStore final : public CatalogueStore {
public:
    StarDatabaseStore(StarDatabaseModel& model, CatalogueFolders folders);

    void setupDatabase() override;
    void createHorizonAltAz(int currentSite) override;

private:
    StarDatabaseModel& m_model;
    CatalogueFolders m_folders;
};
