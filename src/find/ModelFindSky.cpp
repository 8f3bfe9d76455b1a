#include "find/ModelFindSky.h"

#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"

std::span<const star> ModelFindSky::stars() const
{
    return std::as_const(m_model).stars();
}

std::span<const deepSky> ModelFindSky::deepSkyData() const
{
    return std::as_const(m_model).deepSkyData();
}

std::span<const conLocn> ModelFindSky::conLocnArray() const
{
    return std::as_const(m_model).conLocnArray();
}

std::span<const comet> ModelFindSky::comets() const
{
    return std::as_const(m_model).comets();
}

std::span<const minorPlanet> ModelFindSky::minorPlanets() const
{
    return std::as_const(m_model).minorPlanets();
}

std::span<const planet> ModelFindSky::planets() const
{
    return std::as_const(m_model).planets();
}

std::uint64_t ModelFindSky::catalogueVersion() const
{
    return m_model.catalogueVersion();
}

const std::array<double, 9>& ModelFindSky::precessionMatrix() const
{
    return m_model.precessionMatrix();
}

void ModelFindSky::CalculateAzFromRA(double ra, double dec, double* az, double* alt) const
{
    m_model.CalculateAzFromRA(ra, dec, az, alt);
}

const std::optional<QPainterPath>& ModelFindSky::horizonAltAzPath() const
{
    return m_model.horizonAltAzPath();
}

void ModelFindSky::createSimStar(double ra, double dec, const QString& name,
                                 const QString& number, double pmRA, double pmDec, float mag)
{
    m_model.createSimStar(ra, dec, name, number, pmRA, pmDec, mag);
}

void ModelFindSky::clearSimStar()
{
    m_model.clearSimStar();
}

const star* ModelFindSky::simStar() const
{
    return m_model.simStar();
}

void ModelFindSky::calculateStarPositions(bool force)
{
    m_model.calculateStarPositions(force);
}

double ModelFindSky::julianDay() const
{
    return m_skyDate.julianDay();
}

void ModelFindSky::centerObject()
{
    m_model.centerObject();
}
