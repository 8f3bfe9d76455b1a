#include "SVFixture.h"

#include "scopeview/JupiterFrames.h"
#include "scopeview/PlusDarker.h"
#include "scopeview/SVDiscPainter.h"
#include "scopeview/SVDiscSource.h"
#include "scopeview/SVDrawPass.h"
#include "scopeview/SVProjection.h"

#include "model/records/BodyNumber.h"
#include "skydraw/ChartSky.h"
#include "skydraw/PhaseTerminator.h"
#include "solarsystem/DistanceUnits.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <QPainter>
#include <QTemporaryDir>

#include <array>
#include <cmath>

namespace {

constexpr int kSide = 400;

struct FakeDiscs final : SVDiscSource {
    SVDiscSky sky;
    int jupiterCalls = 0;
    void calculateJupiterSatellites() override { ++jupiterCalls; }
    void calculateSaturnSatellites() override {}
    SVDiscSky discSky() const override { return sky; }
};

// One pass of the painters over an offscreen image: a field of 1 degree
// about (0, 0) with every body at the centre.
class SVDiscPainterTest : public SVFixture {
protected:
    void SetUp() override
    {
        SVFixture::SetUp();
        planets.fill(planet{});
        for (planet& p : planets)
            p.vecX = 1.0;
    }

    // A distance (10^6 km) in the records' unit.
    float recordDistance(double km)
    {
        return float(prefs().isMetric() ? km : km * DistanceUnits::kMilesPerKilometre);
    }
    // Puts the body at the distance that gives it a disc of radius `r` points.
    void placeFor(int body, double bodyRadius, double r)
    {
        const double k = SVAngles::calculate(1.0, kSide).svRadius;
        planets[std::size_t(body)].geoDistance = recordDistance(bodyRadius * k / (2.0 * r));
    }

    template <typename Draw>
    float paint(Draw draw, const ChartImageSet* images = nullptr)
    {
        image = QImage(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::black);
        QPainter painter(&image);
        const SVAngles angles = SVAngles::calculate(1.0, kSide);
        TextAttributes angleLabel;
        SVDrawPass pass(painter, QRectF(0, 0, kSide, kSide), angles, SVOrientation{}, labels, prefs(), angleLabel);
        pass.begin();
        const SVProjection projection(angles, 0.0, 0.0, {1, 0, 0, 0, 1, 0, 0, 0, 1});
        ChartSky sky;
        sky.planets = planets;
        const SVLayerContext c{pass, pass.canvas(), projection, angles, sky, prefs(), images, false, -1};
        SVDiscPainter discs(c, {&source, &frames, QString()}, state);
        const float r = draw(discs, centre());
        pass.finish();
        return r;
    }
    QPointF centre() const { return {kSide / 2.0, kSide / 2.0}; }
    // A pixel `dx`, `dy` points from the centre (y upward).
    QColor pixel(double dx, double dy) const
    {
        return image.pixelColor(int(kSide / 2.0 + dx), int(kSide / 2.0 - dy));
    }

    std::array<planet, 11> planets{};
    FakeDiscs source;
    JupiterFrames frames;
    SVDiscState state;
    std::vector<svLabel> labels;
    QImage image;
};

TEST(PhaseTerminatorTest, HalfPhaseIsStraightAndTheCircleSitsOnThePhasesSide)
{
    EXPECT_DOUBLE_EQ(PhaseTerminator::of(10.0, 50.0).rho, 200.0);
    EXPECT_DOUBLE_EQ(PhaseTerminator::of(150.0, 50.0).rho, 2000.0);
    const QPointF p(100.0, 100.0);
    struct Case { double phase; bool isLeft; };
    for (const Case c : {Case{30.0, true}, Case{-30.0, false}, Case{70.0, false}, Case{-70.0, true}}) {
        const QRectF square = SVDiscPainter::terminatorSquare(p, 10.0, c.phase, false);
        EXPECT_EQ(square.center().x() < p.x(), c.isLeft) << c.phase;
        EXPECT_NEAR(square.center().y(), p.y(), 1e-9);
    }
    // Venus's square shrinks from a 20-point disc on; Mercury's never.
    EXPECT_DOUBLE_EQ(SVDiscPainter::terminatorSquare(p, 20.0, 30.0, true).width(),
                     SVDiscPainter::terminatorSquare(p, 20.0, 30.0, false).width() - 2.0);
    EXPECT_DOUBLE_EQ(SVDiscPainter::terminatorSquare(p, 19.9, 30.0, true).width(),
                     SVDiscPainter::terminatorSquare(p, 19.9, 30.0, false).width());
}

TEST(JupiterFramesTest, RedSpotAndFrameWrapAtHalfATurn)
{
    EXPECT_DOUBLE_EQ(JupiterFrames::redSpot(157.0), 20.5);
    EXPECT_DOUBLE_EQ(JupiterFrames::redSpot(220.0), 169.0);
    // 20.5 + 170 = 190.5 half degrees: 10.5 past the turn, frame 11.
    EXPECT_EQ(JupiterFrames::frameIndex(20.5, 340.0), 11);
    EXPECT_EQ(JupiterFrames::frameIndex(99.0, 0.0), JupiterFrames::kSpotFrame);
    EXPECT_EQ(JupiterFrames::frameIndex(179.0, 1.5), 0);  // 179.75 rounds past the last frame
    EXPECT_EQ(JupiterFrames::frameIndex(0.0, 200.0, 90), 50);
    EXPECT_EQ(JupiterFrames::frameIndex(0.0, std::nan(""), 180), 0);
}

TEST(JupiterFramesTest, OnlyASheetOfWholeFramesLoads)
{
    QTemporaryDir dir;
    JupiterFrames frames;
    EXPECT_FALSE(frames.load(dir.path() + "/", 157.0));
    QImage(100, 100, QImage::Format_ARGB32).save(dir.filePath(JupiterFrames::kFileName));
    EXPECT_FALSE(frames.load(dir.path() + "/", 157.0));
    QImage sheet(4 * JupiterFrames::kColumns, 4 * 12, QImage::Format_ARGB32);
    sheet.fill(Qt::red);
    sheet.save(dir.filePath(JupiterFrames::kFileName));
    ASSERT_TRUE(frames.load(dir.path() + "/", 157.0));
    EXPECT_EQ(frames.frame(340.0).size(), QSize(4, 4));
}

TEST(SatelliteTurnTest, TurnIsTheArctangentBoundedByTheTilt)
{
    // At right ascension 0 on the equator the turn is the whole tilt.
    EXPECT_NEAR(SVDiscPainter::jupiterTurn(0.0, 0.0), -0.4090928, 1e-7);
    EXPECT_NEAR(SVDiscPainter::saturnTurn(M_PI, 0.0), 0.0574071817, 1e-9);
    for (double ra = 0.0; ra < 6.3; ra += 0.3)
        EXPECT_LE(std::abs(SVDiscPainter::jupiterTurn(ra, 0.2)), 0.4090928 + 1e-9);
}

TEST(PlusDarkerTest, TransparentLeavesAndBlackDarkensByTheOpacity)
{
    QImage dst(2, 1, QImage::Format_ARGB32_Premultiplied);
    dst.fill(qRgba(200, 100, 50, 255));
    QImage layer(2, 1, QImage::Format_ARGB32_Premultiplied);
    layer.setPixel(0, 0, qRgba(0, 0, 0, 0));
    layer.setPixel(1, 0, qRgba(0, 0, 0, 255));
    plusDarker(dst, layer, 0.4);
    EXPECT_EQ(dst.pixel(0, 0), qRgba(200, 100, 50, 255));
    EXPECT_NEAR(qRed(dst.pixel(1, 0)), 200 - 102, 1);
    EXPECT_EQ(qGreen(dst.pixel(1, 0)), 0);
    const QRgb darkened = dst.pixel(1, 0);
    QImage other(3, 1, QImage::Format_ARGB32_Premultiplied);
    plusDarker(dst, other, 1.0);  // a layer of another size changes nothing
    EXPECT_EQ(dst.pixel(1, 0), darkened);
}

TEST_F(SVDiscPainterTest, FullAndNewPhasesLightOrDarkenTheWholeDisc)
{
    placeFor(BodyNumber::kVenus, SVDiscPainter::kVenusRadius, 40.0);
    for (const double phase : {100.0, -100.0, 0.0}) {
        source.sky.venusPhase = phase;
        const float r = paint([](SVDiscPainter& d, QPointF p) { return d.venusDraw(p); });
        EXPECT_NEAR(r, 40.0, 0.01);
        const QColor expected = phase == 0.0 ? QColor::fromRgbF(0.15f, 0.15f, 0.15f) : QColor(Qt::white);
        for (const QPointF at : {QPointF(0, 0), QPointF(-35, 0), QPointF(35, 0), QPointF(0, 35), QPointF(25, -25)})
            EXPECT_NEAR(pixel(at.x(), at.y()).lightnessF(), expected.lightnessF(), 0.02) << phase << at.x() << at.y();
        EXPECT_EQ(pixel(45, 0), QColor(Qt::black));
    }
}

TEST_F(SVDiscPainterTest, SmallDiscsGiveWayToSpritesButTheMoonKeepsFivePoints)
{
    placeFor(BodyNumber::kMercury, SVDiscPainter::kMercuryRadius, 0.9);
    EXPECT_EQ(paint([](SVDiscPainter& d, QPointF p) { return d.mercuryDraw(p); }), -1.0f);
    placeFor(BodyNumber::kMercury, SVDiscPainter::kMercuryRadius, 1.1);
    EXPECT_GT(paint([](SVDiscPainter& d, QPointF p) { return d.mercuryDraw(p); }), 0.0f);
    placeFor(BodyNumber::kMars, SVDiscPainter::kMarsRadius, 4.9);
    EXPECT_EQ(paint([](SVDiscPainter& d, QPointF p) { return d.marsDraw(p); }), -1.0f);
    // No planetary pass yet: no distance, no disc.
    EXPECT_EQ(paint([](SVDiscPainter& d, QPointF p) { return d.neptuneDraw(p); }), -1.0f);

    source.sky.moonAD = 1e-6;
    EXPECT_FLOAT_EQ(paint([](SVDiscPainter& d, QPointF p) { return d.moonDraw(p); }), 2.5f);
    EXPECT_TRUE(state.isMoon);
    EXPECT_EQ(state.moonPt, centre());
}

TEST_F(SVDiscPainterTest, SaturnTakesItsOwnRadius)
{
    placeFor(BodyNumber::kSaturn, SVDiscPainter::kSaturnRadius, 30.0);
    planets[BodyNumber::kSun].geoDistance = recordDistance(1400.0);
    EXPECT_NEAR(paint([](SVDiscPainter& d, QPointF p) { return d.saturnDraw(p); }), 30.0, 0.01);
    placeFor(BodyNumber::kJupiter, SVDiscPainter::kJupiterRadius, 30.0);
    planets[BodyNumber::kSaturn].geoDistance = planets[BodyNumber::kJupiter].geoDistance;
    EXPECT_NEAR(paint([](SVDiscPainter& d, QPointF p) { return d.saturnDraw(p); }), 30.0 * 0.060268 / 0.07149, 0.01);
}

TEST_F(SVDiscPainterTest, SatellitesGoWithTheirDiscWhenThePlanetShrinksToAPoint)
{
    source.sky.jupiterSatX = {0.3, 3.0, -5.0, 10.0};
    source.sky.saturnSatX.fill(2.0);
    planets[BodyNumber::kSun].geoDistance = recordDistance(1400.0);
    const QRectF anyView(-1.0e5, -1.0e5, 2.0e5, 2.0e5);
    const auto drawnCount = [&](const auto& points) {
        return std::count_if(points.begin(), points.end(), [&](QPointF q) { return anyView.contains(q); });
    };
    for (const double radius : {50.0, 0.5}) {
        placeFor(BodyNumber::kJupiter, SVDiscPainter::kJupiterRadius, radius);
        paint([](SVDiscPainter& d, QPointF p) { return d.jupiterDraw(p); });
        placeFor(BodyNumber::kSaturn, SVDiscPainter::kSaturnRadius, radius);
        paint([](SVDiscPainter& d, QPointF p) { return d.saturnDraw(p); });
        const bool isDisc = radius > 1.0;
        EXPECT_EQ(drawnCount(state.jupiterSatPts), isDisc ? 4 : 0) << radius;
        EXPECT_EQ(drawnCount(state.saturnSatPts), isDisc ? 8 : 0) << radius;
    }
}

TEST_F(SVDiscPainterTest, HiddenSatelliteKeepsItsPointWithoutALabel)
{
    if (!prefs().isPlanetNames())
        prefs().setIsPlanetNames();
    placeFor(BodyNumber::kJupiter, SVDiscPainter::kJupiterRadius, 50.0);
    source.sky.jupiterSatX = {0.3, 3.0, -5.0, 10.0};
    source.sky.jupiterSatY = {0.1, 0.0, 0.0, 0.0};
    source.sky.jupiterSatVis = {false, true, true, true};
    paint([](SVDiscPainter& d, QPointF p) { return d.jupiterDraw(p); });
    EXPECT_EQ(source.jupiterCalls, 1);
    // Io stands behind the disc: kept for the pointer, no label.
    EXPECT_NEAR(std::hypot(state.jupiterSatPts[0].x() - centre().x(), state.jupiterSatPts[0].y() - centre().y()),
                std::hypot(0.3, 0.1) * 50.0, 1e-3);
    QStringList texts;
    for (const svLabel& l : labels)
        if (l.kind == 9)
            texts << l.text;
    EXPECT_EQ(texts, QStringList({"E", "G", "C"}));
    // Without the frames the disc is plain orange.
    EXPECT_GT(pixel(0, -20).red(), 200);
}

TEST_F(SVDiscPainterTest, SouthernRingTiltTakesTheUpperRingHalves)
{
    QTemporaryDir dir;
    QImage rings(64, 64, QImage::Format_ARGB32);
    rings.fill(Qt::blue);
    QPainter(&rings).fillRect(0, 0, 64, 32, Qt::red);
    rings.save(dir.filePath("SaturnRings.png"));
    QImage ball(32, 32, QImage::Format_ARGB32);
    ball.fill(Qt::white);
    ball.save(dir.filePath("SaturnBall.png"));
    ChartImageSet images(dir.path() + "/", dir.path() + "/");
    images.createObjectSymbols();
    placeFor(BodyNumber::kSaturn, SVDiscPainter::kSaturnRadius, 40.0);
    for (const double B : {-0.4, 0.4}) {
        source.sky.saturnB = B;
        paint([](SVDiscPainter& d, QPointF p) { return d.saturnDraw(p); }, &images);
        // Over the globe, on the near side of the centre, the near half lies.
        const QColor onGlobe = pixel(20, B < 0.0 ? 10 : -10);
        EXPECT_EQ(onGlobe, B < 0.0 ? QColor(Qt::red) : QColor(Qt::blue)) << B;
    }
}

}  // namespace
