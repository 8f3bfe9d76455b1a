#include "model/StarDatabaseModel.h"

#include "model/projection/ProjectionSources.h"

void StarDatabaseModel::calculateStarPositions(bool force)
{
    if (m_prefControl && m_skyDate)
        calculateStarPositions(ProjectionSources::read(*m_prefControl, *m_skyDate), force);
}

void StarDatabaseModel::calculateStarPositions(const ProjectionInputs& inputs, bool force)
{
    keepBoundaries(inputs.isBoundaries);
    ProjectionPass::Catalogues catalogues;
    catalogues.stars = m_stars;
    catalogues.simStar = m_simStar.get();
    catalogues.conLocns = m_conLocns;
    catalogues.boundaries = m_boundaries;
    catalogues.planets = m_planets;
    catalogues.planetPaths = m_planetPaths;
    catalogues.hasPlanetPath = m_hasPlanetPath;
    catalogues.deepSkyData = m_deepSky;
    catalogues.raGrid = m_raGrid;
    catalogues.altAzGrid = m_altAzGrid;
    catalogues.customHorizon = horizonArray(inputs.currentSite);
    catalogues.mwCoords = m_mwCoords;
    catalogues.meteors = m_meteors;
    m_projection.calculateStarPositions(inputs, catalogues, m_projectionServices, force);
}
