#include "skydraw/PaintingFixture.h"

#include "chart/painting/ChartOverlayPainter.h"
#include "chart/painting/ChartOverlayState.h"
#include "chart/painting/HorizonPainter.h"
#include "chart/painting/PhotoHorizonSource.h"
#include "support/ContrastRatio.h"

#include <algorithm>
#include <map>
#include <vector>

namespace {

constexpr int kSize = 400;

// A renderer whose panorama is opaque white over the lower half.
class PanoramaRenderer final : public PhotoHorizonSource {
public:
    std::optional<QImage> drawImage(std::uint16_t width, std::uint16_t height) override
    {
        if (!isRendered)
            return std::nullopt;
        QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter(&image).fillRect(0, height / 2, width, height - height / 2, Qt::white);
        return image;
    }
    float photoBrightAdj(int) const override { return brightAdj; }

    bool isRendered = true;
    float brightAdj = 0.0f;
};

class HorizonAndOverlaysTest : public PaintingTest {
protected:
    void SetUp() override
    {
        PaintingTest::SetUp();
        sky.radius = 300.0;
        sky.site = {40.0 * 0.0174532925199433, 1.0};
        sky.view = {45.0, 180.0, 300.0, float(kSize), float(kSize)};
        sky.horizonPath.addRect(0, 0, kSize, 100);
        sky.isHorizon = true;
        grid.resize(3114);
        // North on the chart at (200, 110).
        grid[HorizonPainter::kFirstCompassMark + 4].visible = 1;
        grid[HorizonPainter::kFirstCompassMark + 4].screenPt = {200.0f, 110.0f};
        sky.altAzGrid = grid;
    }
    QImage overlay(const ChartOverlayState& state)
    {
        ChartOverlayPainter painter(prefs());
        return render(kSize, kSize, [&](ChartCanvas& c) { painter.paint(c, sky, QRectF(0, 0, kSize, kSize), state); });
    }

    ChartSky sky;
    std::vector<AltAzLocn> grid;
};

}  // namespace

TEST(HorizonPainter, ThePhotographDarkensAsTheSunSets)
{
    EXPECT_DOUBLE_EQ(HorizonPainter::darkness(10.0, 0.0), 0.0);
    EXPECT_NEAR(HorizonPainter::darkness(-3.0, 0.0), 0.5, 0.001);
    EXPECT_DOUBLE_EQ(HorizonPainter::darkness(-6.0, 0.0), 1.0);
    EXPECT_DOUBLE_EQ(HorizonPainter::darkness(-40.0, 0.0), 1.0);
    // A brighter photograph holds its light down to −3°.
    EXPECT_LT(HorizonPainter::darkness(-3.0, 5.0), 0.001);
}

TEST_F(HorizonAndOverlaysTest, GroundPhotographAndCompassPointsFollowTheirSwitches)
{
    HorizonPainter painter(prefs());
    PanoramaRenderer photo;
    painter.setPhotoHorizon(&photo);
    auto draw = [&](double viewAngle) {
        return render(kSize, kSize, [&](ChartCanvas& c) { painter.paint(c, sky, QRectF(0, 0, kSize, kSize), viewAngle); });
    };
    const QColor ground = prefs().horizonColor();

    QImage image = draw(120.0);
    EXPECT_TRUE(isNear(at(image, 20, 50), ground, 2));
    EXPECT_GT(inkCount(image.copy(180, kSize - 125, 40, 30)), 0);  // the "N"

    // Objects below the horizon shown: neither ground nor letters, unless all-sky.
    prefs().setIsBelow();
    image = draw(120.0);
    EXPECT_EQ(inkCount(image), 0);
    image = draw(190.0);
    EXPECT_TRUE(isNear(at(image, 20, 50), ground, 2));
    prefs().setIsBelow();

    // The photograph over the ground, half dark with the Sun at −3°.
    prefs().setIsPhotoHorizon(true);
    sky.sunAlt = -3.0 * 0.0174532925199433;
    image = draw(120.0);
    EXPECT_NEAR(at(image, 20, 50).red(), 128, 3);
    EXPECT_EQ(at(image, 20, 300), QColor(Qt::black));
    sky.sunAlt = 0.2;
    EXPECT_EQ(at(draw(120.0), 20, 50), QColor(Qt::white));
    // No photograph to be had: the ground stays.
    photo.isRendered = false;
    EXPECT_TRUE(isNear(at(draw(120.0), 20, 50), ground, 2));
}

TEST_F(HorizonAndOverlaysTest, TheTestStripRunsInTenGreysAcrossTheMiddle)
{
    ChartOverlayState state;
    state.showMonitorAdjust = true;
    state.isFullScreen = true;
    const QImage image = overlay(state);
    // Squares of 40 points from x = 0 in a 400-point chart, y 180 to 220.
    for (int i = 0; i < 10; ++i)
        EXPECT_NEAR(at(image, 40 * i + 20, 200).red(), qRound(25.5 * (i + 1)), 1) << i;
    EXPECT_EQ(at(image, 20, 230), QColor(Qt::black));
}

TEST_F(HorizonAndOverlaysTest, TheMarqueeHidesTheRulerWhichWritesItsAngle)
{
    EXPECT_EQ(ChartOverlayPainter::separationText(12.345), QString("12.3") + QChar(0x00B0));
    // Two points 100 points either side of the centre span 2 × 2 atan(100 / 300).
    const auto angle = ChartOverlayPainter::separation(sky, {100, 200}, {300, 200});
    ASSERT_TRUE(angle);
    EXPECT_NEAR(*angle, 4.0 * std::atan(100.0 / 300.0) * 57.2957795130823, 0.01);

    // A one-point line on a whole coordinate fills the pixel row just below it.
    auto isGreen = [](const QImage& image, int x, int y) {
        const QColor c = at(image, x, y - 1);
        return c.green() > 100 && c.red() < 50;
    };
    ChartOverlayState state;
    state.isFullScreen = true;
    state.startPt = {100, 200};
    state.currentPt = {300, 200};
    EXPECT_TRUE(isGreen(overlay(state), 200, 200));
    // A click without a drag leaves a marquee of no width: the ruler still shows.
    state.dragRect = QRectF(50, 50, 0, 80);
    EXPECT_TRUE(isGreen(overlay(state), 200, 200));
    state.dragRect = QRectF(50, 50, 100, 80);
    QImage image = overlay(state);
    EXPECT_FALSE(isGreen(image, 200, 200));
    EXPECT_NE(at(image, 55, 49), QColor(Qt::black));
    // A ruler starting on the x = 0 line is not drawn.
    state.dragRect = {};
    state.startPt = {0, 200};
    EXPECT_EQ(inkCount(overlay(state)), 0);
    // In a window the frame runs round the chart.
    state.isFullScreen = false;
    EXPECT_NE(at(overlay(state), 0, 200), QColor(Qt::black));
}

TEST_F(HorizonAndOverlaysTest, TheTourCaptionsReadOnADaylightAndANightSky)
{
    prefs().setIsCreateTour(true);
    ChartOverlayState state;
    state.isFullScreen = true;
    ChartOverlayPainter painter(prefs());
    for (const QColor sky : {QColor(150, 195, 240), QColor(235, 240, 250), QColor(0, 0, 0), QColor(10, 20, 60)}) {
        const QImage image = render(
            kSize, kSize, [&](ChartCanvas& c) { painter.paint(c, this->sky, QRectF(0, 0, kSize, kSize), state); },
            sky);
        // Around the text, the colour most pixels of the caption band have;
        // the text's own colour is the one standing out most from it.
        std::map<QRgb, int> counts;
        for (int y = 0; y < 75; ++y)
            for (int x = 0; x < 200; ++x)
                ++counts[image.pixel(x, y)];
        const QColor around = QColor::fromRgb(
            std::max_element(counts.begin(), counts.end(), [](auto a, auto b) { return a.second < b.second; })->first);
        double best = 1.0;
        for (const auto& [rgb, count] : counts)
            best = std::max(best, contrastRatio(QColor::fromRgb(rgb), around));
        EXPECT_GE(best, 4.5) << "on " << sky.name().toStdString();
        EXPECT_GT(counts.size(), 10u) << "the captions are drawn";
    }
}
