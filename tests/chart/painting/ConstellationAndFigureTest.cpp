#include "skydraw/PaintingFixture.h"

#include "chart/painting/ConstellationPainter.h"
#include "chart/painting/MythFigurePainter.h"
#include "model/catalogue/ConstellationLabels.h"
#include "model/records/RecordConstants.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/PrintMapping.h"

#include <QTemporaryDir>

#include <cmath>
#include <vector>

namespace {

constexpr double kDegree = 0.0174532925199433;
constexpr int kOrion = 59;

star shownStar(float x, float y)
{
    star s{};
    s.screenX = x;
    s.screenY = y;
    s.state = kStateOnScreen;
    return s;
}

class ConstellationTest : public PaintingTest {
protected:
    QImage paint()
    {
        ChartSky sky;
        sky.stars = stars;
        sky.conLines = lines;
        sky.conLocns = labels;
        ConstellationPainter painter(prefs());
        return render(200, 100, [&](ChartCanvas& c) { painter.paint(c, sky); });
    }
    std::vector<star> stars = {shownStar(20, 50), shownStar(100, 50), shownStar(180, 50)};
    std::vector<conLine> lines;
    std::vector<conLocn> labels;
};

}  // namespace

TEST_F(ConstellationTest, LinesJoinStarsThatAreBothOnScreenAndInTheTable)
{
    ASSERT_TRUE(prefs().isConstellations());
    lines = {{0, 7}, {-1, 1}, {0, 1}, {1, 2}};
    stars[2].state = kStateBelowHorizon;
    const QImage image = paint();
    EXPECT_TRUE(isNear(at(image, 60, 50), prefs().constellationColor(), 2));
    EXPECT_EQ(at(image, 140, 50), QColor(Qt::black));
}

TEST_F(ConstellationTest, NamesAreDrawnWithoutLinesUnlessHidden)
{
    labels.resize(2);
    labels[0].screenPt = {40.0f, 20.0f};
    labels[0].visible = 1;
    labels[0].name = "ORION";
    labels[1].screenPt = {40.0f, 70.0f};
    labels[1].name = "LYRA";
    const QImage image = paint();
    EXPECT_GT(inkCount(image.copy(40, 60, 100, 20)), 0);   // ORION, above (40, 20)
    EXPECT_EQ(inkCount(image.copy(0, 0, 200, 40)), 0);     // not the hidden LYRA

    prefs().setIsHideCNames(true);
    EXPECT_EQ(inkCount(paint()), 0);
    prefs().setIsHideCNames(false);
    prefs().setIsConstellations();
    EXPECT_EQ(inkCount(paint()), 0);
}

namespace {

// Orion's label on a chart centred on it for a site at 40° north, with a
// figure image whose top middle is marked.
class FigureTest : public PaintingTest {
protected:
    void SetUp() override
    {
        PaintingTest::SetUp();
        ASSERT_TRUE(folder.isValid());
        QImage figure(100, 60, QImage::Format_ARGB32);
        figure.fill(Qt::transparent);
        for (int x = 45; x < 55; ++x)
            for (int y = 0; y < 6; ++y)
                figure.setPixelColor(x, y, Qt::white);
        ASSERT_TRUE(figure.save(folder.path() + "/OrionMyth.png"));
        images.recolorMythForms(Qt::red);

        labels = ConstellationLabels::create();
        const ConstellationLabels::Entry& orion = ConstellationLabels::kEntries[kOrion];
        ra = orion.raHours * 15.0 * kDegree;
        dec = orion.decDeg * kDegree;
        sky.site = {40.0 * kDegree, ra + 0.7};
        double az = 0.0;
        double alt = 0.0;
        SkyCoordinates::CalculateAzFromRA(ra, dec, sky.site, &az, &alt);
        sky.view = {alt / kDegree, az / kDegree, 900.0, 400.0f, 300.0f};
        labels[kOrion].screenPt = chartPoint(ra, dec);
        labels[kOrion].visible = 1;
        sky.conLocns = labels;
    }
    FloatPoint chartPoint(double r, double d) const
    {
        double az = 0.0;
        double alt = 0.0;
        SkyCoordinates::CalculateAzFromRA(r, d, sky.site, &az, &alt);
        return SkyCoordinates::CalculateAzPoint(az, alt, sky.view);
    }
    QImage paint()
    {
        MythFigurePainter painter(prefs(), images);
        return render(400, 300, [&](ChartCanvas& c) { painter.paint(c, sky); });
    }

    QTemporaryDir folder;
    ChartImageSet images{QString(), folder.path() + "/"};
    std::vector<conLocn> labels;
    ChartSky sky;
    double ra = 0.0;
    double dec = 0.0;
};

}  // namespace

TEST_F(FigureTest, AFigureIsScaledAndTurnedToNorthAtItsLabelAndDrawnUpright)
{
    const FloatPoint p = labels[kOrion].screenPt;
    const FloatPoint q = chartPoint(ra, dec + 2.0 * kDegree);
    const double dx = double(q.x) - p.x;
    const double dy = double(q.y) - p.y;
    const double scale = 0.02646087 * double(1.0f) * std::hypot(dx, dy);
    const double turn = -1.6231562043547267 + std::atan2(dy, dx);

    const auto placed = MythFigurePainter::place(kOrion, labels[kOrion], QSizeF(100, 60), sky);
    ASSERT_TRUE(placed);
    EXPECT_NEAR(placed->rect.width(), 100 * scale, 1e-6);
    EXPECT_NEAR(placed->rect.height(), 60 * scale, 1e-6);
    EXPECT_NEAR(placed->rect.center().x(), p.x, 1e-4);
    EXPECT_NEAR(placed->rect.center().y(), p.y, 1e-4);
    const QPointF turned = placed->transform.map(QPointF(p.x + 1.0, p.y));
    EXPECT_NEAR(turned.x() - p.x, std::cos(turn), 1e-9);
    EXPECT_NEAR(turned.y() - p.y, std::sin(turn), 1e-9);

    // The image's top middle, 3 pixels below its top edge, turned about the label point.
    prefs().setIsMyth();
    const QImage image = paint();
    const QPointF top = placed->transform.map(placed->rect.center() + QPointF(0.0, 27.0 * scale));
    const QPointF bottom = placed->transform.map(placed->rect.center() - QPointF(0.0, 27.0 * scale));
    EXPECT_GT(at(image, qRound(top.x()), qRound(top.y())).red(), 100);
    EXPECT_EQ(at(image, qRound(bottom.x()), qRound(bottom.y())), QColor(Qt::black));
}

TEST_F(FigureTest, FiguresNeedTheirSwitchTheLayerAndANarrowView)
{
    // By default the all-figures switch is on, but the layer is off.
    ASSERT_EQ(prefs().mythArray().value(89), "YES");
    EXPECT_EQ(inkCount(paint()), 0);
    prefs().setIsMyth();
    EXPECT_GT(inkCount(paint()), 0);
    prefs().mythArray()[89] = "NO";
    EXPECT_EQ(inkCount(paint()), 0);
    prefs().mythArray()[kOrion] = "YES";
    EXPECT_GT(inkCount(paint()), 0);
    prefs().setViewAngle(200.0);
    EXPECT_EQ(inkCount(paint()), 0);
    // A view angle of 0 stands for the default 120°.
    prefs().setViewAngle(0.0);
    EXPECT_GT(inkCount(paint()), 0);

    // A switch array too short for the figure turns nothing on.
    prefs().mythArray() = QStringList({"YES", "YES"});
    EXPECT_EQ(inkCount(paint()), 0);
    EXPECT_TRUE(MythFigurePainter::isSwitchOn({"NO", "YES"}, 1));
    EXPECT_FALSE(MythFigurePainter::isSwitchOn({"NO", "YES"}, 2));
    EXPECT_FALSE(MythFigurePainter::isSwitchOn({"NO", "YES"}, -1));
}

TEST_F(FigureTest, ALabelAtThePoleStillHasAFiniteTurn)
{
    conLocn pole = labels[kOrion];
    pole.vecX = 0.0;
    pole.vecY = 0.0;
    pole.vecZ = 1.0;
    const auto placed = MythFigurePainter::place(kOrion, pole, QSizeF(100, 60), sky);
    ASSERT_TRUE(placed);
    EXPECT_TRUE(std::isfinite(placed->transform.m11()));
    EXPECT_TRUE(std::isfinite(placed->transform.m12()));
    EXPECT_TRUE(std::isfinite(placed->rect.width()));
}

TEST_F(ConstellationTest, OnPaperLinesAreBlackAndMapped)
{
    lines = {{0, 1}};
    ChartSky sky;
    sky.stars = stars;
    sky.conLines = lines;
    ConstellationPainter painter(prefs());
    const QImage image = render(
        200, 100, [&](ChartCanvas& c) { painter.print(c, sky, PrintMapping{0.5, 0.0, 10.0}); }, Qt::white);
    // (20, 50) to (100, 50) lands on (10, 35) to (50, 35).
    EXPECT_LT(std::min(at(image, 30, 35).lightness(), at(image, 30, 34).lightness()), 160);
    EXPECT_EQ(at(image, 60, 50), QColor(Qt::white));
    EXPECT_EQ(at(image, 30, 35).red(), at(image, 30, 35).blue());
}
