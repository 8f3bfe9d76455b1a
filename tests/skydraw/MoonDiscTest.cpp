#include "PaintingFixture.h"

#include "model/records/RecordConstants.h"
#include "skydraw/MoonDisc.h"

#include <array>

namespace {

constexpr int kSize = 200;
constexpr double kCentre = 100.0;
// An apparent diameter that makes a disc 100 points across at R = 20000 (D = R sin(AD / 2)).
constexpr double kRadius = 20000.0;
const double kMoonAD = 2.0 * std::asin(100.0 / kRadius);

class MoonDiscTest : public PaintingTest {
protected:
    QImage draw(double phase, double termA = 0.0)
    {
        ChartSky sky;
        sky.radius = kRadius;
        sky.moonAD = kMoonAD;
        sky.moonPhase = phase;
        sky.moonTermA = termA;
        sky.moonHP = 0.0166;
        sky.planets = planets;
        return render(kSize, kSize, [&](ChartCanvas& c) { MoonDisc::draw(c, sky, {kCentre, kCentre}, white); });
    }
    // A plain white photograph shows the shading alone.
    QImage white = [] {
        QImage image(64, 64, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        return image;
    }();
    std::array<planet, 11> planets{};
};

}  // namespace

TEST(MoonDiscGeometry, PhasesFoldAndTheHalfMoonTerminatorIsNearlyStraight)
{
    // New Moon: the terminator circle is the disc itself.
    const MoonDisc::Geometry newMoon = MoonDisc::geometry({0, 0}, 1000.0, 0.01, 0.0);
    EXPECT_NEAR(newMoon.rho, newMoon.radius, 1e-4);
    EXPECT_NEAR(newMoon.offset, 0.0, 1e-4);
    EXPECT_TRUE(newMoon.isDarkInside);
    // Full Moon folds onto it, with the lit part inside.
    const MoonDisc::Geometry full = MoonDisc::geometry({0, 0}, 1000.0, 0.01, -100.0);
    EXPECT_NEAR(full.rho, full.radius, 1e-4);
    EXPECT_FALSE(full.isDarkInside);
    // Half Moon: a circle 20 radii wide through the centre.
    const MoonDisc::Geometry half = MoonDisc::geometry({0, 0}, 1000.0, 0.01, 50.0);
    EXPECT_NEAR(half.rho, 20.0 * half.radius, 1e-3);
    EXPECT_NEAR(half.offset, half.rho, 1e-3);
    // Waxing crescent and waning gibbous put the terminator circle on the same side.
    EXPECT_EQ(MoonDisc::geometry({0, 0}, 1000.0, 0.01, 25.0).sigma, -1);
    EXPECT_EQ(MoonDisc::geometry({0, 0}, 1000.0, 0.01, -75.0).sigma, -1);
    EXPECT_EQ(MoonDisc::geometry({0, 0}, 1000.0, 0.01, -25.0).sigma, 1);
    // A tiny Moon is drawn 5 points across; a huge scale is capped at 2000 points.
    EXPECT_FLOAT_EQ(MoonDisc::geometry({0, 0}, 100.0, 0.009, 30.0).radius, 2.5f);
    EXPECT_LE(MoonDisc::geometry({0, 0}, 1e6, 0.009, 50.0).rho, 2000.0);
}

TEST_F(MoonDiscTest, NewHalfAndFullMoonsShadeTheirDisc)
{
    const QImage newMoon = draw(0.0);
    EXPECT_NEAR(at(newMoon, 100, 100).red(), 38, 3);
    EXPECT_NEAR(at(newMoon, 130, 110).red(), 38, 3);

    const QImage full = draw(100.0);
    EXPECT_EQ(at(full, 100, 100).red(), 255);
    EXPECT_EQ(at(full, 70, 130).red(), 255);

    // Waxing half: lit right of a straight terminator through the centre, at every height.
    const QImage half = draw(50.0);
    for (int y : {65, 100, 135}) {
        EXPECT_EQ(at(half, 104, y).red(), 255) << y;
        EXPECT_NEAR(at(half, 96, y).red(), 38, 3) << y;
    }
    // Waning half: mirrored.
    const QImage waning = draw(-50.0);
    EXPECT_NEAR(at(waning, 104, 100).red(), 38, 3);
    EXPECT_EQ(at(waning, 96, 100).red(), 255);
    // Turned by a quarter: the lit half lies below.
    const QImage turned = draw(50.0, 3.14159265358979 / 2.0);
    EXPECT_EQ(at(turned, 100, 96).red(), 255);
    EXPECT_NEAR(at(turned, 100, 104).red(), 38, 3);
    // Nothing outside the disc.
    EXPECT_EQ(at(full, 100, 160), QColor(Qt::black));
}

TEST_F(MoonDiscTest, TheEarthsShadowDarkensOnlyTheDisc)
{
    planets[10].state = kStateOnScreen;
    planets[10].screenX = 100.0f;
    planets[10].screenY = 100.0f;
    const QImage eclipsed = draw(100.0);
    const QColor umbra = at(eclipsed, 100, 100);
    EXPECT_LT(umbra.green(), umbra.red());
    EXPECT_LT(umbra.red(), 255);
    // The penumbra reaches past the disc, but shows only on it.
    EXPECT_EQ(at(eclipsed, 100, 180), QColor(Qt::black));
}

TEST_F(MoonDiscTest, PaperDrawsTheOutlineAndReturnsTheScreenRadius)
{
    ChartSky sky;
    sky.radius = kRadius;
    sky.moonAD = kMoonAD;
    sky.moonPhase = 25.0;
    float r = 0.0f;
    const QImage page = render(kSize, kSize, [&](ChartCanvas& c) { r = MoonDisc::print(c, sky, {kCentre, kCentre}); },
                               Qt::white);
    EXPECT_NEAR(r, 50.0f, 0.01f);
    // The lit limb of a crescent is drawn heavy; the dark one only as a hairline.
    EXPECT_EQ(at(page, 149, 100).red(), 0);
    EXPECT_GT(at(page, 50, 100).red(), 128);
    EXPECT_LT(at(page, 50, 100).red(), 255);
    EXPECT_EQ(at(page, 120, 100).red(), 255);  // the disc stays paper white
}
