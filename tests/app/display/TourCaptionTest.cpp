#include "app/display/WindowManagerTest.h"

#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/settings/PrefControl.h"
#include "support/ContrastRatio.h"

#include <QScreen>

#include <algorithm>
#include <array>
#include <map>

namespace {

using TourCaptionTest = WindowManagerTest;

struct Reading {
    QColor sky;       // the sky's colour beyond the captions
    double contrast;  // of the captions' text against what surrounds it
};

// The captions' band at the top left of the chart on screen: the colour most
// of it has, and the contrast against it of the brightest, the white text.
Reading readCaptions(QWidget& view)
{
    const QPoint origin = view.mapToGlobal(QPoint(0, 0));
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    std::map<QRgb, int> counts;
    for (int y = 2; y < 75; ++y)
        for (int x = 2; x < 220; ++x)
            ++counts[shot.pixel(origin.x() + x, origin.y() + y)];
    const QColor around = QColor::fromRgb(
        std::max_element(counts.begin(), counts.end(), [](auto a, auto b) { return a.second < b.second; })->first);
    const QRgb text = std::max_element(counts.begin(), counts.end(), [](auto a, auto b) {
                          return relativeLuminance(QColor::fromRgb(a.first)) <
                                 relativeLuminance(QColor::fromRgb(b.first));
                      })->first;
    return {shot.pixelColor(origin + QPoint(view.width() / 2, view.height() / 3)),
            contrastRatio(QColor::fromRgb(text), around)};
}

}  // namespace

TEST_F(TourCaptionTest, TheTourCaptionsReadOnTheDaylightAndTheNightSky)
{
    // At 40 degrees north, 75 west.
    std::array<float, 10> sites{};
    sites[0] = 40.0f;
    sites[1] = -75.0f;
    seed({{"SitesPref", QByteArray(reinterpret_cast<const char*>(sites.data()), int(sizeof sites))},
          {"SiteTimeZoneNamesArrayPref", QStringList{"America/New_York", "", "", "", ""}}});
    restart();
    ASSERT_TRUE(launch());
    PrefControl& prefs = chart->prefControl();
    prefs.setIsCreateTour(true);
    prefs.setAzimuth(180.0);
    prefs.setAltitude(40.0);
    prefs.setViewAngle(90.0);
    SkyView& view = chart->skyWindow().skyView();
    const struct {
        const char* name;
        QDateTime at;
        bool light;
    } skies[] = {
        {"midday", QDateTime(QDate(2026, 6, 21), QTime(17, 0), Qt::UTC), true},
        {"midnight", QDateTime(QDate(2026, 6, 21), QTime(5, 0), Qt::UTC), false},
    };
    for (const auto& sky : skies) {
        chart->skyDateModel().calculateDate(sky.at, 0.0);
        chart->starDatabaseModel().calculateStarPositions(true);
        view.display();
        settle();
        const Reading reading = readCaptions(view);
        EXPECT_EQ(relativeLuminance(reading.sky) > 0.3, sky.light)
            << sky.name << ": sky " << reading.sky.name().toStdString();
        EXPECT_GE(reading.contrast, 4.5) << sky.name;
    }
}
