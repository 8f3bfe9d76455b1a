#pragma once

#include "model/projection/PlanetPositions.h"
#include "model/projection/ProjectionFrame.h"
#include "model/projection/ProjectionInputs.h"
#include "model/projection/SmallBodyPositions.h"
#include "model/UnitVector.h"
#include "model/projection/ViewScale.h"
#include "model/records/star.h"

#include <QStringList>

#include <optional>
#include <vector>

// Directions and settings for the projection tests. At the north pole
// (latitude 90) with local sidereal time 0 and the sky date at J2000.0 (no
// precession), a direction's altitude is its declination and its azimuth,
// from north through east, is 180 degrees minus its right ascension; so
// records are placed on the sky by azimuth and altitude.
namespace ProjectionFixture {

inline constexpr double kJ2000 = 2451545.0;

inline UnitVector direction(double azimuthDeg, double altitudeDeg)
{
    return UnitVector::fromRADec((180.0 - azimuthDeg) * kDegToRad, altitudeDeg * kDegToRad);
}

template <class Record>
void setDirection(Record& r, double azimuthDeg, double altitudeDeg)
{
    const UnitVector v = direction(azimuthDeg, altitudeDeg);
    r.vecX = v.x;
    r.vecY = v.y;
    r.vecZ = v.z;
}

inline star makeStar(double azimuthDeg, double altitudeDeg, float mag)
{
    star s{};
    s.raDeg = 180.0 - azimuthDeg;
    s.decDeg = altitudeDeg;
    s.mag = mag;
    setDirection(s, azimuthDeg, altitudeDeg);
    return s;
}

// The frame of a 1000 x 800 chart at the pole at J2000.0, sidereal time
// `lstDeg`, looking toward the given azimuth and altitude (degrees).
inline ProjectionFrame poleFrame(double azimuthDeg = 180.0, double altitudeDeg = 0.0,
                                 bool isBelow = false, double viewAngle = 120.0,
                                 double lstDeg = 0.0)
{
    ProjectionFrame::View view;
    view.skyRect = QRectF(0, 0, 1000, 800);
    const ViewScale scale = *ViewScale::compute(view.skyRect, viewAngle);
    view.radius = scale.radius;
    view.xLimit = scale.xLimit;
    view.isAllSky = viewAngle > ViewScale::kAllSkyAngle;
    view.altitude = (view.isAllSky ? 90.0 : altitudeDeg) * kDegToRad;
    view.azimuth = azimuthDeg * kDegToRad;
    view.primeMeridian = lstDeg * kDegToRad;
    view.latitude = 90.0 * kDegToRad;
    view.isBelow = isBelow;
    view.julianDay = kJ2000;
    return ProjectionFrame(view);
}

// A 1000 x 800 chart at 120 degrees, looking south at the horizon.
inline ProjectionInputs poleInputs()
{
    ProjectionInputs in;
    in.skyViewRect = QRectF(0, 0, 1000, 800);
    in.viewAngle = 120.0;
    in.altitude = 0.0;
    in.azimuth = 180.0;
    in.latitude = 90.0;
    in.primeMeridian = 0.0;
    in.julianDay = kJ2000;
    in.starMagLimit = 6.5;
    return in;
}

class RecordingPlanets final : public PlanetPositions {
public:
    void calculatePlanetPositions(double dayOffset, int body, int pathSlot, bool plotOnly) override
    {
        calls << QString("%1 %2 %3 %4").arg(dayOffset).arg(body).arg(pathSlot).arg(plotOnly);
    }
    QStringList calls;
};

class FakeSmallBodies final : public SmallBodyPositions {
public:
    std::span<comet> comets() override { return cometTable; }
    std::span<const comet> comets() const override { return cometTable; }
    std::span<minorPlanet> minorPlanets() override { return minorPlanetTable; }
    std::span<const minorPlanet> minorPlanets() const override { return minorPlanetTable; }
    std::optional<std::uint32_t> neoIndex() const override { return neo; }
    std::uint32_t tableVersion() const override { return 0; }
    void calculateCometPositions(int kind, double dayOffset, int record, int pathSlot) override
    {
        calls << QString("%1 %2 %3 %4").arg(kind).arg(dayOffset).arg(record).arg(pathSlot);
    }

    std::vector<comet> cometTable;
    std::vector<minorPlanet> minorPlanetTable;
    std::optional<std::uint32_t> neo;
    QStringList calls;
};

}  // namespace ProjectionFixture
