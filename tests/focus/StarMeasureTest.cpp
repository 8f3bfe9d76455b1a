#include "StarImages.h"

#include "focus/StarMeasure.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

TEST(StarMeasureTest, BoxFollowsTheBrightestPixelInsideTheFrame)
{
    StarImage frame;
    frame.addGaussian(70, 5, 1.5, 200);
    const StarSize star = StarMeasure::measure(frame.image());
    EXPECT_EQ(star.brightest, QPoint(70, 5));
    EXPECT_EQ(star.box, QRect(55, 0, 30, 30));  // rows 0 ... 29

    StarImage corner;
    corner.addGaussian(frame.width - 1, frame.height - 2, 1.5, 200);
    EXPECT_EQ(StarMeasure::measure(corner.image()).box,
              QRect(corner.width - 30, corner.height - 30, 30, 30));
}

TEST(StarMeasureTest, TheFirstOfEqualBrightestPixelsWins)
{
    StarImage frame;
    frame.set(90, 40, 200);
    frame.set(30, 50, 200);
    frame.set(20, 40, 200);
    EXPECT_EQ(StarMeasure::measure(frame.image()).brightest, QPoint(20, 40));
}

TEST(StarMeasureTest, FramesWithoutAStandingOutStarMeasureNothing)
{
    // The largest value is below twice the box mean.
    StarImage flat(160, 120, 100);
    flat.set(80, 60, 150);
    StarSize star = StarMeasure::measure(flat.image());
    EXPECT_EQ(star.halfFluxRadius, 0.0f);
    EXPECT_EQ(star.starArea, 0.0);

    StarImage black;
    EXPECT_EQ(StarMeasure::measure(black.image()).starArea, 0.0);

    // Too small for the box, or shorter than its size says: no read past the end.
    StarImage tiny(20, 20);
    tiny.addGaussian(10, 10, 2, 200);
    EXPECT_EQ(StarMeasure::measure(tiny.image()).starArea, 0.0);
    StarImage frame;
    frame.addGaussian(80, 60, 2, 200);
    FocusPixels shortImage = frame.image();
    shortImage.pixels = shortImage.pixels.first(1000);
    EXPECT_EQ(StarMeasure::measure(shortImage).starArea, 0.0);
}

TEST(StarMeasureTest, AUniformDiscHasHalfItsFluxWithinRadiusOverRootTwo)
{
    StarImage frame;
    frame.addDisc(80, 60, 8, 200);
    frame.set(80, 60, 201);  // centres the box on the disc
    const StarSize star = StarMeasure::measure(frame.image());
    EXPECT_NEAR(star.halfFluxRadius, 8 / std::numbers::sqrt2, 0.5);
    EXPECT_NEAR(star.starArea, std::numbers::pi * star.halfFluxRadius * star.halfFluxRadius, 1e-3);
    // The centroid lies half a pixel up and left of the disc's centre.
    EXPECT_NEAR(star.centroid.x(), 79.5, 1e-9);
    EXPECT_NEAR(star.centroid.y(), 59.5, 1e-9);
}

TEST(StarMeasureTest, WiderStarsMeasureLarger)
{
    float previous = 0.0f;
    for (const double sigma : {1.0, 2.0, 3.0, 4.5}) {
        StarImage frame;
        frame.addGaussian(80, 60, sigma, 220);
        const float radius = StarMeasure::measure(frame.image()).halfFluxRadius;
        EXPECT_GT(radius, previous) << "sigma " << sigma;
        previous = radius;
    }
}

TEST(StarMeasureTest, AStarWiderThanTheSearchTakesTheLargestRadius)
{
    // Four bright spots at the corners of the box hold nearly all the
    // excess, 16 pixels and more from the centroid.
    StarImage frame(200, 200);
    frame.set(100, 100, 255);
    for (const int cy : {87, 112})
        for (const int cx : {87, 112})
            for (int dy = -1; dy <= 1; ++dy)
                for (int dx = -1; dx <= 1; ++dx)
                    frame.set(cx + dx, cy + dy, 250);
    EXPECT_FLOAT_EQ(StarMeasure::measure(frame.image()).halfFluxRadius, 14.0f);
}

TEST(StarMeasureTest, AFamilyRuleSetsTheBoxAndTheLargestRadius)
{
    StarImage frame(300, 200);
    frame.addGaussian(150, 100, 6, 200);
    QPointF seen;
    StarBoxRule rule{120, [&seen](QPointF centroid) {
                         seen = centroid;
                         return 3;
                     }};
    const StarSize star = StarMeasure::measure(frame.image(), rule);
    EXPECT_EQ(star.box, QRect(90, 40, 120, 120));
    EXPECT_NEAR(seen.x(), 59.5, 0.01);
    EXPECT_NEAR(seen.y(), 59.5, 0.01);
    EXPECT_FLOAT_EQ(star.halfFluxRadius, 3.0f);
}
