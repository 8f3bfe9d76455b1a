#include "chart/photohorizon/PhotoHorizonSphere.h"

#include "model/Angles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr double kRadius = 250.0;

double rad(double deg) { return deg * Angles::kDegToRad; }

// The vertex drawn for the sphere point at (azimuth, altitude), whole degrees
// on the 10° grid; none when no drawn quad has that corner.
std::optional<SphereVertex> vertexAt(const std::vector<SphereVertex>& v, int azimuthDeg, int altitudeDeg)
{
    const auto it = std::find_if(v.begin(), v.end(), [&](const SphereVertex& p) {
        return std::abs(p.u * 360.0 - azimuthDeg) < 1e-3 && std::abs(p.v * 180.0 - (90 - altitudeDeg)) < 1e-3;
    });
    return it == v.end() ? std::nullopt : std::optional(*it);
}

}  // namespace

TEST(PhotoHorizonSphere, BandsAndViewLimits)
{
    // A band past 5 sends the whole sphere, as 0 does.
    EXPECT_EQ(PhotoHorizonSphere::triangles(kRadius, 0.0, rad(90.0), 6, kWidth, kHeight).size(),
              PhotoHorizonSphere::triangles(kRadius, 0.0, rad(90.0), 0, kWidth, kHeight).size());
    // The azimuth wraps by one step only (-370° stays -10°); the altitude stops at the zenith.
    EXPECT_NEAR(PhotoHorizonSphere::wrapAzimuth(rad(355.0 + 10.0)), rad(5.0), 1e-12);
    EXPECT_NEAR(PhotoHorizonSphere::wrapAzimuth(rad(-370.0)), rad(-10.0), 1e-12);
    EXPECT_NEAR(PhotoHorizonSphere::clampAltitude(rad(80.0 + 20.0)), rad(90.0), 1e-12);
}

TEST(PhotoHorizonSphere, PointsLandWhereTheStereographicChartPutsThem)
{
    // Looking east on the horizon: the centre lands mid-frame; north, 90°
    // to the left, lands R tan 45° = R left; the zenith R above (the frame's
    // first row is the chart's top).
    const auto v = PhotoHorizonSphere::triangles(kRadius, rad(90.0), 0.0, 0, kWidth, kHeight);
    const auto centre = vertexAt(v, 90, 0);
    const auto north = vertexAt(v, 0, 0);
    const auto zenith = vertexAt(v, 90, 90);
    ASSERT_TRUE(centre && north && zenith);
    EXPECT_NEAR(centre->x, kWidth / 2.0, 1e-3);
    EXPECT_NEAR(centre->y, kHeight / 2.0, 1e-3);
    EXPECT_NEAR(north->x, kWidth / 2.0 - kRadius, 1e-3);
    EXPECT_NEAR(north->y, kHeight / 2.0, 1e-3);
    EXPECT_NEAR(zenith->y, kHeight / 2.0 - kRadius, 1e-3);
    EXPECT_NEAR(vertexAt(v, 180, 0)->x, kWidth / 2.0 + kRadius, 1e-3);  // south to the right
}

TEST(PhotoHorizonSphere, OnlyQuadsReachingTheFacingHalfAreSent)
{
    const auto v = PhotoHorizonSphere::triangles(kRadius, rad(200.0), rad(20.0), 0, kWidth, kHeight);
    // Every quad has a corner facing the viewer; the back is left out, so
    // the huge coordinates near the antipode never reach the renderer.
    for (std::size_t q = 0; q < v.size(); q += 6) {
        const float most = std::max({v[q].depth, v[q + 1].depth, v[q + 2].depth, v[q + 4].depth});
        EXPECT_GE(most, 0.0f);
    }
    EXPECT_FALSE(vertexAt(v, 20, -20).has_value());  // the antipode's neighbourhood
}
