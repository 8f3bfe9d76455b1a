#include "skydraw/PaintingFixture.h"

#include "chart/painting/SkyBackgroundPainter.h"
#include "model/Angles.h"

#include <array>

namespace {

constexpr int kWidth = 300;
constexpr int kHeight = 200;

// A sky with the Sun at `sunAltDeg`, its chart point at (150, 60), the Moon
// elsewhere, and a scale of 450 points (a glow radius of 60).
class SkyBackgroundTest : public PaintingTest {
protected:
    ChartSky skyAt(double sunAltDeg)
    {
        planets[0].screenX = 150.0f;
        planets[0].screenY = 60.0f;
        planets[9].screenX = 20.0f;
        planets[9].screenY = 20.0f;
        ChartSky sky;
        sky.planets = planets;
        sky.radius = 450.0;
        sky.sunAlt = sunAltDeg * Angles::kDegToRad;
        return sky;
    }
    QImage paint(const ChartSky& sky)
    {
        SkyBackgroundPainter painter(prefs());
        return render(kWidth, kHeight,
                      [&](ChartCanvas& c) { painter.paint(c, sky, QRectF(0, 0, kWidth, kHeight), 120.0); });
    }
    std::array<planet, 11> planets{};
};

}  // namespace

TEST_F(SkyBackgroundTest, TheSkyColourFollowsTheSunsAltitude)
{
    struct Case {
        double sunAlt;
        bool twilight;
        bool moonOnSun;
        QColor sky;  // away from the glow
    };
    const Case cases[] = {
        {10.0, true, false, QColor(230, 230, 255)},  // b held at 1: (0.9, 0.9, 1.0)
        {-3.0, true, false, QColor(57, 57, 128)},    // b = -3/6 + 1 = 0.5: (0.225, 0.225, 0.5)
        {-20.0, true, false, Qt::black},
        {10.0, false, false, Qt::black},
        {10.0, true, true, QColor(102, 102, 128)},  // eclipse darkening
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sunAlt);
        prefs().setIsAstroTwilight(c.twilight);
        ChartSky sky = skyAt(c.sunAlt);
        if (c.moonOnSun) {
            planets[9].screenX = planets[0].screenX;
            planets[9].screenY = planets[0].screenY;
        }
        const QImage image = paint(sky);
        for (const QPoint p : {QPoint(5, 5), QPoint(5, 190), QPoint(299, 199)})
            EXPECT_TRUE(isNear(at(image, p.x(), p.y()), c.sky, 1)) << p.x();
    }
    // By day there is no glow about the Sun.
    EXPECT_TRUE(isNear(at(paint(skyAt(10.0)), 150, 60), QColor(230, 230, 255), 1));
}

TEST_F(SkyBackgroundTest, AtMinusSixTheSkyIsBlackWithTheSunsGlow)
{
    ChartSky sky = skyAt(-6.0);
    sky.isDatePM = true;
    QImage image = paint(sky);
    // The glow's centre lies half its radius below the Sun: red in the evening.
    EXPECT_TRUE(isNear(at(image, 150, 30), QColor(255, 0, 25), 8));
    EXPECT_EQ(at(image, 5, 190), QColor(Qt::black));

    sky.isDatePM = false;
    image = paint(sky);
    EXPECT_TRUE(isNear(at(image, 150, 30), QColor(255, 255, 0), 8));
    // Fading to the sky colour (black here) at the glow's radius of 60.
    EXPECT_TRUE(isNear(at(image, 150, 30 + 59), QColor(Qt::black), 12));
}

TEST_F(SkyBackgroundTest, TheMistLiesAlongTheHorizonFadingInBetweenMinusSixAndMinusTwelve)
{
    prefs().setIsMist();
    prefs().setIsAstroTwilight(false);
    ChartSky sky = skyAt(-20.0);
    sky.isHorizon = true;
    sky.horizonPt = QPointF(150.0, 50.0);
    sky.radius = 100.0;
    // The view at 45°: the mist's outer circle (radius R / sin 45°) touches
    // the horizon point from above; below it the mist is full.
    const QImage image = paint(sky);
    EXPECT_TRUE(isNear(at(image, 150, 40), QColor(61, 51, 82), 2));
    // Just above the horizon, most of the way through the band.
    EXPECT_GT(at(image, 150, 51).blue(), 50);
    EXPECT_LT(at(image, 150, 51).blue(), 82);
    // Inside the inner circle, a band of 0.129 R above the horizon, nothing.
    EXPECT_EQ(at(image, 150, 70), QColor(Qt::black));

    sky.sunAlt = -9.0 * Angles::kDegToRad;
    EXPECT_TRUE(isNear(at(paint(sky), 150, 40), QColor(31, 26, 41), 2));
    sky.sunAlt = -6.0 * Angles::kDegToRad;
    EXPECT_EQ(inkCount(paint(sky)), 0);
    // Not while what lies below the horizon is shown.
    sky.sunAlt = -9.0 * Angles::kDegToRad;
    prefs().setIsBelow();
    EXPECT_EQ(inkCount(paint(sky)), 0);
}

TEST_F(SkyBackgroundTest, TheGroundIsFilledWhenBelowTheHorizonIsShown)
{
    ChartSky sky = skyAt(-20.0);
    sky.isHorizon = true;
    sky.horizonPath.addRect(0, 0, kWidth, 50);
    EXPECT_EQ(inkCount(paint(sky)), 0);

    prefs().setIsBelow();
    const QImage image = paint(sky);
    EXPECT_TRUE(isNear(at(image, 10, 10), prefs().horizonColor(), 1));
    EXPECT_EQ(at(image, 10, 60), QColor(Qt::black));
}

TEST(TwilightShading, TheGlowRunsFromRedOrYellowToTheSkyColourAndTheMistIsFullBelowMinusTwelve)
{
    const TwilightShading::Color evening{0.2f, 0.2f, 0.5f, 1.0f};
    EXPECT_EQ(TwilightShading::evaluate(evening, 0.0f), (TwilightShading::Color{1.0f, 0.0f, 0.1f, 0.875f}));
    EXPECT_EQ(TwilightShading::evaluate(evening, 1.0f), (TwilightShading::Color{0.2f, 0.2f, 0.5f, 0.875f}));
    const TwilightShading::Color morning{0.2f, 0.2f, 0.5f, 0.0f};
    EXPECT_EQ(TwilightShading::evaluate(morning, 0.0f), (TwilightShading::Color{1.0f, 1.0f, 0.0f, 0.875f}));

    EXPECT_FLOAT_EQ(TwilightShading::evaluate2({0, 0, 0, -9.0f}, 1.0f)[3], 0.5f);
    EXPECT_FLOAT_EQ(TwilightShading::evaluate2({0, 0, 0, -12.0f}, 1.0f)[3], 1.0f);
    EXPECT_FLOAT_EQ(TwilightShading::evaluate2({0, 0, 0, -20.0f}, 0.5f)[3], 1.0f);
    EXPECT_FLOAT_EQ(TwilightShading::evaluate2({0, 0, 0, -20.0f}, 1.0f)[2], 0.32f);
}

TEST_F(SkyBackgroundTest, AMistThatStaysTheSameIsCopiedFromItsPictureAndAChangedOneDrawnAnew)
{
    prefs().setIsMist();
    prefs().setIsAstroTwilight(false);
    ChartSky sky = skyAt(-9.0);
    sky.isHorizon = true;
    sky.horizonPt = QPointF(150.0, 50.0);
    sky.radius = 100.0;
    SkyBackgroundPainter kept(prefs());
    const auto frame = [&] {
        return render(kWidth, kHeight,
                      [&](ChartCanvas& c) { kept.paint(c, sky, QRectF(0, 0, kWidth, kHeight), 120.0); });
    };
    for (const bool isKept : {false, true, true}) {
        EXPECT_EQ(frame(), paint(sky));
        EXPECT_EQ(kept.twilightShading().wasMistKept(), isKept);
    }
    // The Sun sinking thickens it; the view raised lifts it.
    sky.sunAlt = -10.0 * Angles::kDegToRad;
    EXPECT_EQ(frame(), paint(sky));
    EXPECT_FALSE(kept.twilightShading().wasMistKept());
    prefs().setAltitude(60.0);
    EXPECT_EQ(frame(), paint(sky));
    EXPECT_FALSE(kept.twilightShading().wasMistKept());
}
