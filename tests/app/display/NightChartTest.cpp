#include "app/ChartAssembly.h"

#include "chart/SkyView.h"
#include "model/TempSettings.h"
#include "platform/DataPaths.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QGuiApplication>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>

#include <array>
#include <cstring>

namespace {

constexpr int kMoon = 9;

// The Geminids' night of 2026 at 40° N, 75° W, in the all-sky view, with
// comets, meteors and a Moon two days before first quarter.
class NightChartTest : public TempSettings {
protected:
    void SetUp() override
    {
        TempSettings::SetUp();
        ASSERT_TRUE(m_root.isValid());
        std::array<float, 10> sites{};
        sites[0] = 40.0f;
        sites[1] = -75.0f;
        QByteArray block(reinterpret_cast<const char*>(sites.data()), int(sizeof sites));
        seed({{"SitesPref", block},
              {"SiteTimeZoneNamesArrayPref", QStringList{"America/New_York", "", "", "", ""}},
              {"ShowCometPref", true},
              {"CometNamesPref", true},
              {"CometMagLimitPref", 13.0},
              {"MeteorPref", true},
              {"ViewAnglePref", 190.0},
              {"AltitudePref", 90.0}});
        folders = {DataPaths::bundleDataFolder(), m_root.path() + "/Norvane Pro", DataPaths::bundleResourcesFolder()};
    }

    ChartAssembly::Folders folders;
    ScopedAlertRecorder recorder;

private:
    QTemporaryDir m_root;
};

}  // namespace

TEST_F(NightChartTest, ANightWithTheMoonPlanetsACometAndMeteorsIsDrawn)
{
    ChartAssembly program(folders);
    ASSERT_TRUE(program.awakeFromNib());
    program.show();
    SkyView& view = program.skyWindow().skyView();
    ASSERT_TRUE(QTest::qWaitFor([&] { return view.hasLaunched(); }, 120000));
    program.skyWindow().resize(1200, 960);

    program.skyDateModel().calculateDate(QDateTime(QDate(2026, 12, 14), QTime(23, 30), Qt::UTC), 0.0);
    program.starDatabaseModel().calculateStarPositions(true);
    view.display();
    const planet& moon = program.starDatabaseModel().planets()[kMoon];
    ASSERT_EQ(moon.state, 1);
    int comets = 0;
    for (const comet& c : program.starDatabaseModel().comets())
        comets += c.state == 1 && c.mag <= 13.0f ? 1 : 0;
    EXPECT_GT(comets, 0);
    ASSERT_TRUE(view.meteorTimer().isMeteorTimer());

    view.meteorTimer().showMeteorsTimer();
    QTest::qWait(120);
    const QImage shot = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    ASSERT_FALSE(shot.isNull());
    if (const QByteArray path = qgetenv("NORVANE_SCREENSHOT"); !path.isEmpty())
        shot.save(QString::fromLocal8Bit(path));

    // The Moon's disc is lit where the chart put it.
    auto brightness = [&](const QImage& image) {
        const QPoint at = view.mapToGlobal(QPoint(qRound(moon.screenX), view.height() - qRound(moon.screenY)));
        const QColor c = image.pixelColor(at);
        return c.red() + c.green() + c.blue();
    };
    EXPECT_GT(brightness(shot), 60);

    // Close up, a crescent: lit on the side toward the Sun, dark across the middle.
    double az = 0.0, alt = 0.0;
    program.starDatabaseModel().CalculateAzFromRA(moon.ra, moon.dec, &az, &alt);
    program.prefControl().setAzimuth(az * 57.2957795130823);
    program.prefControl().setAltitude(alt * 57.2957795130823);
    program.prefControl().setViewAngle(1.5);
    program.starDatabaseModel().calculateStarPositions(true);
    view.display();
    QTest::qWait(50);
    const QImage closeUp = QGuiApplication::primaryScreen()->grabWindow(0).toImage();
    if (const QByteArray path = qgetenv("NORVANE_SCREENSHOT_MOON"); !path.isEmpty())
        closeUp.save(QString::fromLocal8Bit(path));
    EXPECT_LT(brightness(closeUp), 150);
}
