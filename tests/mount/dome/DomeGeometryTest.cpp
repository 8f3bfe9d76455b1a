#include "mount/dome/DomeGeometry.h"

#include "model/Angles.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

DomeAim german(double hourAngleDeg, double decDeg, double latitude)
{
    DomeAim aim;
    aim.isGEM = true;
    aim.inferTubeSide = false;
    aim.latitude = latitude;
    aim.hourAngle = hourAngleDeg * Angles::kDegToRad;
    aim.dec = decDeg * Angles::kDegToRad;
    return aim;
}

}  // namespace

// With the tube at the dome's centre the slit faces the object itself, so
// the textbook horizontal coordinates must come out.
TEST(DomeGeometryTest, CentredTubeFacesTheObjectsAzimuth)
{
    const DomeGeometry centred{0, 0, 0, 3.0, 0.0, 0.0};
    struct Case {
        const char* name;
        double hourAngle, dec, latitude, azimuth;
    };
    const Case cases[] = {
        // Venus from Washington, 1987 April 10 (Meeus, Astronomical Algorithms, ex. 13.b):
        // A = 68.0337 deg west of south.
        {"Meeus 13.b", 64.352133, -6.719892, 38.921389, 248.0337},
        {"on the meridian south of the zenith", 0.0, 10.0, 50.0, 180.0},
        {"on the meridian north of the zenith", 0.0, 70.0, 50.0, 0.0},
        {"east of the meridian", -90.0, 0.0, 0.0, 90.0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const auto az = calcDomeAzimuth(centred, german(c.hourAngle, c.dec, c.latitude));
        ASSERT_TRUE(az);
        EXPECT_NEAR(std::fmod(*az + 360.0 - c.azimuth + 180.0, 360.0) - 180.0, 0.0, 1e-3);
    }
}

TEST(DomeGeometryTest, RefusesWhatHasNoIntersection)
{
    const DomeAim aim = german(30.0, 20.0, 45.0);
    EXPECT_FALSE(calcDomeAzimuth({0, 0, 0, 0.0, 0.5, 0}, aim)) << "no radius";
    const auto outside = calcDomeAzimuth({10.0, 0, 0, 3.0, 0.5, 0}, aim);
    EXPECT_FALSE(outside) << "mount outside the sphere";
    for (double x : {-2.0, 0.0, 2.0}) {
        const auto az = calcDomeAzimuth({x, 1.0, 0.5, 3.0, 0.5, 10}, aim);
        ASSERT_TRUE(az);
        EXPECT_TRUE(*az >= 0.0 && *az < 360.0);
    }
}

TEST(DomeGeometryTest, ForkMountFacesTheScope)
{
    DomeAim aim = german(30.0, 20.0, 45.0);
    aim.isGEM = false;
    aim.scopeAzimuth = 123.5;
    EXPECT_EQ(calcDomeAzimuth({}, aim), 123.5);
}

// An offset tube sees the slit off the object's azimuth, and on the other
// side of the pier the offset changes sign.
TEST(DomeGeometryTest, TubeSideFollowsTheMotion)
{
    const DomeGeometry g{0, 0, 0, 3.0, 1.0, 20.0};
    DomeAim aim = german(-60.0, 30.0, 45.0);
    const double centre = *calcDomeAzimuth({0, 0, 0, 3.0, 0.0, 0.0}, aim);
    const double fixedSide = *calcDomeAzimuth(g, aim);
    EXPECT_GT(domeAngleApart(fixedSide, centre), 5.0);

    aim.inferTubeSide = true;
    // Within the flip limit past the meridian the side depends on the way the telescope came.
    aim.scopeAzimuth = 190.0;
    aim.previousAzimuth = 180.0;  // moving toward increasing azimuth: the tube keeps its side
    EXPECT_NEAR(*calcDomeAzimuth(g, aim), fixedSide, 1e-9);
    aim.previousAzimuth = 200.0;  // coming back from the west: the other side
    const double flipped = *calcDomeAzimuth(g, aim);
    EXPECT_GT(domeAngleApart(flipped, fixedSide), 5.0);
}

TEST(DomeGeometryTest, AngleApartFoldsAtHalfATurn)
{
    EXPECT_DOUBLE_EQ(domeAngleApart(350.0, 0.0), 10.0);
    EXPECT_DOUBLE_EQ(domeAngleApart(5.0, 355.0), 10.0);
    EXPECT_DOUBLE_EQ(domeAngleApart(100.0, 280.0), 180.0);
}
