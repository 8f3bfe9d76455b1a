#include "chart/ChartPrefs.h"

#include "chart/photohorizon/OpenGLView.h"
#include "model/Angles.h"
#include "model/projection/StereographicProjection.h"
#include "model/settings/PrefLinks.h"
#include "support/RecordingAlertPresenter.h"

#include <QCoreApplication>
#include <QPainter>
#include <QTemporaryDir>

#include <cmath>

namespace {

constexpr int kWidth = 640;
constexpr int kHeight = 480;
constexpr double kRadius = 400.0;

const QColor kNorth(200, 0, 0), kEast(0, 200, 0);
const QColor kGround(200, 0, 200);

// Sky transparent above the horizon; below it the colour of the quarter of
// the compass the column faces.
QImage colourCodedPanorama()
{
    QImage image(2048, 1024, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    const QColor quarters[] = {kNorth, kEast, QColor(0, 0, 200), QColor(200, 200, 0), kNorth};
    for (int q = 0; q < 5; ++q) {
        const int left = std::max(0, (q * 90 - 45) * 2048 / 360);
        const int right = std::min(2048, (q * 90 + 45) * 2048 / 360);
        painter.fillRect(left, 512, right - left, 512, quarters[q]);
    }
    return image;
}

class PhotoHorizonRenderTest : public ChartPrefsTest {
protected:
    void SetUp() override
    {
        ChartPrefsTest::SetUp();
        ASSERT_TRUE(misc.isValid());
        ASSERT_TRUE(colourCodedPanorama().save(misc.filePath("PhotoHorizon0.png")));
        QImage ground(512, 256, QImage::Format_ARGB32);
        ground.fill(kGround);
        ASSERT_TRUE(ground.save(misc.filePath("PhotoHorizon1.png")));
        ASSERT_TRUE(ground.convertToFormat(QImage::Format_RGB32).save(misc.filePath("PhotoHorizon2.png")));

        PrefControl& prefs = makePrefs();
        view = std::make_unique<OpenGLView>(
            prefs, OpenGLView::Links{misc.path() + "/", [] { return kRadius; },
                                     [this](auto table) { outlines.emplace_back(table.begin(), table.end()); }});
        PrefLinks links;
        links.photoHorizon = view.get();
        prefs.setLinks(links);
        prefs.readPrefs();
    }
    void look(double azimuth, double altitude)
    {
        settings().setAzimuth(azimuth);
        settings().setAltitude(altitude);
    }
    // The rendered pixel under the chart point of (azimuth, altitude), degrees.
    QColor at(const QImage& image, double azimuth, double altitude) const
    {
        const StereographicProjection chart(kWidth / 2.0, kHeight / 2.0, kRadius,
                                            viewAltitude * Angles::kDegToRad, viewAzimuth * Angles::kDegToRad);
        const double alt = altitude * Angles::kDegToRad, az = azimuth * Angles::kDegToRad;
        const HorizonVector h{-std::cos(alt) * std::cos(az), -std::cos(alt) * std::sin(az), -std::sin(alt)};
        const FloatPoint p = chart.chartPoint(h, chart.depth(h));
        return image.pixelColor(int(std::floor(p.x)), int(std::floor(kHeight - p.y)));
    }
    QImage render()
    {
        viewAzimuth = settings().azimuth() + view->photoDirAdj(settings().currentSite());
        viewAltitude = settings().altitude() + view->photoElevAdj(settings().currentSite());
        std::optional<QImage> image = view->drawImage(kWidth, kHeight);
        return image ? *image : QImage();
    }

    QTemporaryDir misc;
    std::unique_ptr<OpenGLView> view;
    std::vector<std::vector<std::uint16_t>> outlines;
    double viewAzimuth = 0.0;
    double viewAltitude = 0.0;
};

}  // namespace

TEST_F(PhotoHorizonRenderTest, ThePanoramaLiesOverTheChartPointsOfItsDirections)
{
    look(60.0, 10.0);
    const QImage image = render();
    ASSERT_FALSE(image.isNull()) << "no OpenGL under this display";
    EXPECT_EQ(image.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(at(image, 90.0, -5.0), kEast);
    EXPECT_EQ(at(image, 20.0, -5.0), kNorth);
    EXPECT_EQ(at(image, 90.0, 5.0).alpha(), 0);  // sky stays transparent
    ASSERT_EQ(outlines.size(), 1u);
    EXPECT_EQ(outlines[0][0], 512);

    // A direction offset turns the photograph with the view.
    view->setPhotoDirAdj(0, 30.0f);
    const QImage turned = render();
    EXPECT_EQ(at(turned, 90.0, -5.0), kEast);
    EXPECT_EQ(outlines.size(), 1u);  // loaded once
}

TEST_F(PhotoHorizonRenderTest, BandThreeCutsTheSphereAtPlusAndMinusFortyFiveDegrees)
{
    settings().setCurrentSite(1);
    look(0.0, 0.0);
    const QImage whole = render();
    ASSERT_FALSE(whole.isNull());
    EXPECT_EQ(at(whole, 0.0, 60.0), kGround);
    view->setPhotoDegreeAdj(1, 3);
    const QImage band = render();
    for (const double alt : {-40.0, 40.0})
        EXPECT_EQ(at(band, 0.0, alt), kGround) << alt;
    for (const double alt : {-50.0, 50.0})
        EXPECT_EQ(at(band, 0.0, alt).alpha(), 0) << alt;
}

TEST_F(PhotoHorizonRenderTest, SwitchingTheSiteLoadsItsPanoramaAndResamplesTheHorizon)
{
    look(90.0, -10.0);
    ASSERT_FALSE(render().isNull());
    settings().setCurrentSite(1);
    const QImage other = render();
    ASSERT_FALSE(other.isNull());
    EXPECT_EQ(other.pixelColor(kWidth / 2, kHeight / 2), kGround);
    ASSERT_EQ(outlines.size(), 2u);
    EXPECT_EQ(outlines[1][100], 0);

    // A site without a file, or with one refused (reported once), renders
    // nothing and keeps the last horizon.
    ScopedAlertRecorder recorder;
    for (const int site : {3, 2}) {
        settings().setCurrentSite(site);
        EXPECT_TRUE(render().isNull());
        EXPECT_TRUE(render().isNull());
    }
    QCoreApplication::processEvents();
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_TRUE(recorder.alerts[0].message.contains("PhotoHorizon2.png"));
    EXPECT_EQ(outlines.size(), 2u);
    settings().setCurrentSite(0);
    EXPECT_EQ(render().pixelColor(kWidth / 2, kHeight / 2), kEast);
}
