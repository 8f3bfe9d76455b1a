#include "skydraw/PaintingFixture.h"

#include "chart/painting/ChartOverlayState.h"
#include "chart/painting/FieldOutlinePainter.h"
#include "chart/painting/TelescopeAim.h"
#include "chart/painting/TelescopeReticlePainter.h"
#include "model/SkyCoordinates.h"
#include "mount/dome/DomeSlit.h"
#include "platform/DataPaths.h"
#include "skydraw/ChartImageSet.h"

namespace {

constexpr int kSize = 300;

class FakeTelescope final : public TelescopeAim {
public:
    bool isReticleShown() const override { return shown; }
    bool keepSVClosed() const override { return false; }
    void followFinder() override {}
    double trackRA() const override { return ra; }
    double trackDec() const override { return dec; }
    double fov() const override { return fovDegrees; }
    int scopeProtocol() const override { return 1; }
    double synScanRAError() const override { return 0.0; }
    double synScanDecError() const override { return 0.0; }

    bool shown = true;
    double ra = 0.0;
    double dec = 0.0;
    double fovDegrees = 1.0;
};

class FakeDome final : public DomeSlit {
public:
    bool isDomeTrack() const override { return generic; }
    double domeSkyAzimuth() const override { return 180.0; }
    double domeDelta() const override { return 5.0; }
    bool isDDWTracking() const override { return ddw; }
    double ddwSkyAzimuth() const override { return 180.0; }

    bool generic = false;
    bool ddw = false;
};

class OutlineAndReticleTest : public PaintingTest {
protected:
    void SetUp() override
    {
        PaintingTest::SetUp();
        sky.radius = 1000.0;
        sky.site = {40.0 * 0.0174532925199433, 1.0};
        sky.view = {45.0, 180.0, 1000.0, float(kSize), float(kSize)};
        // The telescope points at the view centre.
        SkyCoordinates::CalcRAFromAz(180.0, 45.0, sky.site, &telescope.ra, &telescope.dec);
    }
    // The first and last inked column along the row through the centre.
    static std::pair<int, int> inkSpan(const QImage& image, int y)
    {
        int first = kSize, last = -1;
        for (int x = 0; x < kSize; ++x) {
            if (at(image, x, y) != QColor(Qt::black)) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
        }
        return {first, last};
    }
    void setFinder(std::uint16_t type, float fov)
    {
        prefs().scopes()[0].finderType = type;
        prefs().scopes()[0].finderFOV = fov;
        prefs().setCurrentScope(0);
    }

    ChartSky sky;
    FakeTelescope telescope;
    FakeDome dome;
    ChartImageSet images{DataPaths::bundleResourcesFolder() + "/ImageF/", QString()};
};

}  // namespace

TEST_F(OutlineAndReticleTest, OutlinesTakeTheirTrueSizeAndMoveWithTheirOffset)
{
    FieldOutlinePainter painter(prefs(), images);
    ChartOverlayState state;
    const QRectF rect(0, 0, kSize, kSize);
    auto draw = [&] { return render(kSize, kSize, [&](ChartCanvas& c) { painter.paint(c, sky, rect, 1.0f, state); }); };

    // 10°: h = 1000 tan 2.5° = 43.66, a circle about 87 points across.
    state.outlines = 45;
    QImage image = draw();
    EXPECT_NEAR(state.outlineRect.width(), 87.32, 0.01);
    const auto [first, last] = inkSpan(image, 150);
    EXPECT_NEAR(last - first + 1, 88, 1);
    // Dragged: the same outline, moved.
    state.outlineDelta = QPointF(40, -20);
    draw();
    EXPECT_NEAR(state.outlineRect.center().x(), 190.0, 1e-9);
    EXPECT_NEAR(state.outlineRect.center().y(), 130.0, 1e-9);
    // A lens is a 3 : 2 frame inside its bevel.
    state.outlineDelta = {};
    state.outlines = 24;
    draw();
    EXPECT_NEAR((state.outlineRect.width() + 3.0) / (state.outlineRect.height() + 3.0), 1.5, 0.01);

    // The finder's circle needs a telescope whose finder is one.
    prefs().setCurrentScope(-1);
    EXPECT_FALSE(FieldOutlinePainter::outline(48, prefs()));
    setFinder(0, 6.0f);
    EXPECT_FALSE(FieldOutlinePainter::outline(48, prefs()));
    setFinder(2, 6.0f);
    const auto finder = FieldOutlinePainter::outline(48, prefs());
    ASSERT_TRUE(finder);
    EXPECT_EQ(finder->label, QString("6") + QChar(0x00B0));
    EXPECT_NEAR(finder->halfAngle, 3.0 * 0.0174532925199433, 1e-9);
    for (int unused : {0, 20, 28, 30, 36, 49})
        EXPECT_FALSE(FieldOutlinePainter::outline(unused, prefs())) << unused;
}

// A lens frame larger than the chart, dragged off its corner, is drawn only
// on the chart (here the lower left of a larger device), its translucent
// field alike on every row.
TEST_F(OutlineAndReticleTest, ALensFrameStaysOnTheChartAndItsFieldIsEven)
{
    FieldOutlinePainter painter(prefs(), images);
    ChartOverlayState state;
    state.outlines = 21;
    state.outlineDelta = QPointF(60.3, -40.7);
    const QRectF rect(0, 0, 220, 180);
    const QImage image = render(kSize, kSize, [&](ChartCanvas& c) { painter.paint(c, sky, rect, 1.0f, state); });
    const QColor field = at(image, 5, 0);
    EXPECT_NE(field, QColor(Qt::black));
    for (int y = 0; y < kSize; ++y) {
        ASSERT_EQ(at(image, 5, y), y < 180 ? field : QColor(Qt::black)) << y;
        ASSERT_EQ(at(image, 250, y), QColor(Qt::black)) << y;
    }
}

TEST_F(OutlineAndReticleTest, TheReticleFollowsTheFinderKind)
{
    TelescopeReticlePainter painter(prefs());
    painter.setTelescope(&telescope);
    painter.setDome(&dome);
    auto draw = [&] { return render(kSize, kSize, [&](ChartCanvas& c) { painter.paint(c, sky); }); };
    auto isRed = [](const QColor& c) { return c.red() > 100 && c.green() < 40 && c.blue() < 40; };
    prefs().setCurrentScope(-1);

    // No telescope: the telescope view's field, 1° = 8.7 points across.
    QImage image = draw();
    auto [first, last] = inkSpan(image, 150);
    EXPECT_NEAR(last - first + 1, 9, 1);
    // …and never under 6 points.
    telescope.fovDegrees = 0.1;
    image = draw();
    std::tie(first, last) = inkSpan(image, 150);
    EXPECT_NEAR(last - first + 1, 7, 1);

    struct Case {
        std::uint16_t type;
        QPoint inked;   // offset from the centre that must be red
        QPoint blank;   // and one that must stay black
    };
    const Case cases[] = {
        {0, {1, 1}, {-4, 0}},     // an 8-point dot centred a point right of and above P
        {1, {-17, 1}, {-10, 0}},  // the 4° ring, 17.5 points out
        {2, {0, 15}, {8, 8}},     // the cross through the 5° circle
    };
    for (const Case& c : cases) {
        setFinder(c.type, 5.0f);
        image = draw();
        EXPECT_TRUE(isRed(at(image, 150 + c.inked.x(), 150 + c.inked.y()))) << c.type;
        EXPECT_EQ(at(image, 150 + c.blank.x(), 150 + c.blank.y()), QColor(Qt::black)) << c.type;
    }
    setFinder(7, 5.0f);
    EXPECT_EQ(inkCount(draw()), 0);

    // Without a mount or telescope view, nothing at all.
    setFinder(2, 5.0f);
    telescope.shown = false;
    EXPECT_EQ(inkCount(draw()), 0);
}

TEST_F(OutlineAndReticleTest, DomeSlitBarsShowWhileEitherDomeTracks)
{
    TelescopeReticlePainter painter(prefs());
    painter.setTelescope(&telescope);
    painter.setDome(&dome);
    setFinder(7, 1.0f);  // no reticle of its own
    auto draw = [&] { return render(kSize, kSize, [&](ChartCanvas& c) { painter.paint(c, sky); }); };
    EXPECT_EQ(inkCount(draw()), 0);
    // Bars (f(10°) + 2) / 2 = 44.7 points either side, 20 above and below.
    for (bool generic : {true, false}) {
        dome.generic = generic;
        dome.ddw = !generic;
        const QImage image = draw();
        const QColor bar = at(image, 150 + 45, 160);
        EXPECT_GT(bar.red(), 100);
        EXPECT_EQ(bar.blue(), 0);
        EXPECT_NE(at(image, 150 - 45, 140), QColor(Qt::black));
        EXPECT_EQ(at(image, 150, 150), QColor(Qt::black));
        EXPECT_EQ(at(image, 150 + 45, 175), QColor(Qt::black));
    }
}
