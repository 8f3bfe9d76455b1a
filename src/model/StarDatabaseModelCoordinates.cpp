#include "model/StarDatabaseModel.h"

#include "model/Angles.h"
#include "model/ObjectIndex.h"
#include "model/SkyDateModel.h"
#include "model/projection/SmallBodyPositions.h"
#include "model/settings/PrefControl.h"

#include <optional>

namespace {

struct Vector {
    double x, y, z;
};

template <class Record>
Vector vectorOf(const Record& r)
{
    return {r.vecX, r.vecY, r.vecZ};
}

template <class Record>
std::optional<Vector> recordVector(std::span<const Record> records, int number)
{
    if (number < 0 || std::size_t(number) >= records.size())
        return std::nullopt;
    return vectorOf(records[std::size_t(number)]);
}

}  // namespace

void StarDatabaseModel::CalculateAzFromRA(double ra, double dec, double* az, double* alt) const
{
    const SkyCoordinates::Site site{m_prefControl ? m_prefControl->latitude() * Angles::kDegToRad : 0.0,
                                    m_skyDate ? m_skyDate->primeMeridian() * Angles::kDegToRad : 0.0};
    SkyCoordinates::CalculateAzFromRA(ra, dec, site, az, alt);
}

void StarDatabaseModel::CalcRAFromAz(double az, double alt, double* ra, double* dec) const
{
    const SkyCoordinates::Site site{m_prefControl ? m_prefControl->latitude() * Angles::kDegToRad : 0.0,
                                    m_skyDate ? m_skyDate->primeMeridian() * Angles::kDegToRad : 0.0};
    SkyCoordinates::CalcRAFromAz(az, alt, site, ra, dec);
}

FloatPoint StarDatabaseModel::CalculateAzPoint(double az, double alt) const
{
    const SkyCoordinates::View view{m_prefControl ? m_prefControl->altitude() : 0.0,
                                    m_prefControl ? m_prefControl->azimuth() : 0.0, radius(),
                                    float(skyRect().width()), float(skyRect().height())};
    return SkyCoordinates::CalculateAzPoint(az, alt, view);
}

void StarDatabaseModel::calculateCursorPosition(FloatPoint point)
{
    if (!m_prefControl || !m_skyDate)
        return;
    const SkyCoordinates::View view{m_prefControl->altitude(), m_prefControl->azimuth(), radius(),
                                    float(skyRect().width()), float(skyRect().height())};
    const SkyCoordinates::Site site{m_prefControl->latitude() * Angles::kDegToRad,
                                    m_skyDate->primeMeridian() * Angles::kDegToRad};
    if (const auto position = SkyCoordinates::calculateCursorPosition(point, view, site))
        m_mouse = *position;
}

void StarDatabaseModel::centerObject()
{
    if (!m_prefControl || !m_skyDate)
        return;
    const ObjectIndexParts selection = splitObjectIndex(m_prefControl->findIndex());
    std::optional<Vector> v;
    bool ofDate = true;  // solar-system records hold directions of date already
    switch (selection.band) {
    case ObjectBand::Planet:
        v = recordVector<planet>(m_planets, selection.number);
        break;
    case ObjectBand::DeepSky:
        v = recordVector<deepSky>(m_deepSky, selection.number);
        ofDate = false;
        break;
    case ObjectBand::Comet:
        if (m_projectionServices.smallBodies)
            v = recordVector<comet>(m_projectionServices.smallBodies->comets(), selection.number);
        break;
    case ObjectBand::MinorPlanet:
        if (m_projectionServices.smallBodies)
            v = recordVector<minorPlanet>(m_projectionServices.smallBodies->minorPlanets(),
                                          selection.number);
        break;
    case ObjectBand::SimStar:
        if (const star* s = m_simStar.get())
            v = vectorOf(*s);
        ofDate = false;
        break;
    case ObjectBand::Star:
        v = recordVector<star>(m_stars, selection.number);
        ofDate = false;
        break;
    default:
        break;
    }
    if (!v)
        return;
    if (!ofDate) {
        const auto [x, y, z] = m_projection.precession().apply(v->x, v->y, v->z);
        v = Vector{x, y, z};
    }
    double ra = 0.0, dec = 0.0, az = 0.0, alt = 0.0;
    SkyCoordinates::raDecOfVector(v->x, v->y, v->z, &ra, &dec);
    CalculateAzFromRA(ra, dec, &az, &alt);
    m_prefControl->setAzimuth(az * Angles::kRadToDeg);
    m_prefControl->setAltitude(alt * Angles::kRadToDeg);
}
