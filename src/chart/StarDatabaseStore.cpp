#include "chart/StarDatabaseStore.h"

#include "model/StarDatabaseModel.h"

#include <utility>

StarDatabaseStore::StarDatabaseStore(StarDatabaseModel& model, CatalogueFolders folders)
    : m_model(model), m_folders(std::move(folders))
{
}

void StarDatabaseStore::setupDatabase() { m_model.setupDatabase(m_folders); }

void StarDatabaseStore::createHorizonAltAz(int currentSite) { m_model.createHorizonAltAz(currentSite); }
