#include "model/catalogue/HorizonFigure.h"

#include "CatalogueFixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

constexpr double kDeg = M_PI / 180.0;

}  // namespace

TEST(HorizonFigure, TextFigureRunsFromTheOriginThroughThePointsAndBack)
{
    CatalogueFixture fixture;
    const QString path = fixture.folders().buildDirectory + "Horizon0.txt";
    EXPECT_FALSE(HorizonFigure::fromText(path));
    fixture.writeBuildFile("Horizon0.txt", CatalogueFixture::horizonText(
                                               CatalogueFixture::horizonPoints(12), 9));
    EXPECT_FALSE(HorizonFigure::fromText(path));

    auto points = CatalogueFixture::horizonPoints(10);
    points[0] = {360.0, 3.0};  // azimuth 0, not turned south
    fixture.writeBuildFile("Horizon0.txt", CatalogueFixture::horizonText(points, 10));
    const auto figure = HorizonFigure::fromText(path);
    ASSERT_TRUE(figure);
    // Move, ten points, the drop to altitude 0, the close.
    ASSERT_EQ(figure->elementCount(), 13);
    EXPECT_TRUE(figure->elementAt(0).isMoveTo());
    EXPECT_EQ(QPointF(figure->elementAt(0)), QPointF(0, 0));
    EXPECT_NEAR(figure->elementAt(1).x, 0.0, 1e-9);
    EXPECT_NEAR(figure->elementAt(1).y, 3.0 * kDeg, 1e-6);
    EXPECT_NEAR(figure->elementAt(10).x, 90.0 * kDeg, 1e-6);
    EXPECT_NEAR(figure->elementAt(10).y, 5.9 * kDeg, 1e-6);
    EXPECT_NEAR(figure->elementAt(11).x, 90.0 * kDeg, 1e-6);
    EXPECT_EQ(figure->elementAt(11).y, 0.0);
    EXPECT_EQ(QPointF(figure->elementAt(12)), QPointF(0, 0));
}

TEST(HorizonFigure, PhotographicProfileAt512LiesOnTheHorizon)
{
    std::array<std::uint16_t, 256> profile;
    profile.fill(512);
    const QPainterPath flat = HorizonFigure::fromPhotoProfile(profile);
    EXPECT_EQ(flat.boundingRect().height(), 0.0);
    EXPECT_NEAR(flat.boundingRect().width(), 255 * 1.40625 * kDeg, 1e-9);

    profile.fill(0);
    const QPainterPath band = HorizonFigure::fromPhotoProfile(profile);
    EXPECT_NEAR(band.boundingRect().height(), 90.0 * kDeg, 1e-9);
    EXPECT_TRUE(band.contains(QPointF(100 * kDeg, 45 * kDeg)));
}
