#include "app/StarDatabaseLink.h"

#include "model/StarDatabaseModel.h"

#include <utility>

StarDatabaseLink::StarDatabaseLink(StarDatabaseModel& model, CatalogueFolders folders)
    : m_model(model), m_folders(std::move(folders))
{
}

void StarDatabaseLink::setupDatabase() { m_model.setupDatabase(m_folders); }

void StarDatabaseLink::createHorizonAltAz(int currentSite) { m_model.createHorizonAltAz(currentSite); }

void StarDatabaseLink::createCustomHorizons() { m_model.createCustomHorizons(true); }

void StarDatabaseLink::calculateStarPositions(bool force) { m_model.calculateStarPositions(force); }

void StarDatabaseLink::centerObject() { m_model.centerObject(); }
