#include "app/ChartAssembly.h"

#include "chart/SkyView.h"
#include "chart/menus/ChartMenuBar.h"
#include "model/CatalogueFixture.h"
#include "model/TempSettings.h"
#include "platform/DataPaths.h"
#include "prefs/CityDataSource.h"
#include "prefs/CityTablesPanel.h"
#include "prefs/PrefWindowControl.h"
#include "model/projection/SmallBodyPositions.h"
#include "solarsystem/LargeOrbitFile.h"
#include "solarsystem/SolarSystemModel.h"
#include "solarsystem/smallbodies/MinorPlanetTable.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdlib>

namespace {

// The whole program against a temporary per-user folder and settings file.
class ChartAssemblyTest : public TempSettings {
protected:
    void SetUp() override
    {
        TempSettings::SetUp();
        ASSERT_TRUE(m_root.isValid());
        m_version = QCoreApplication::applicationVersion();
        QCoreApplication::setApplicationVersion("1.0.0");
        folders = {DataPaths::bundleDataFolder(), m_root.path() + "/Norvane Pro",
                   DataPaths::bundleResourcesFolder()};
    }
    void TearDown() override { QCoreApplication::setApplicationVersion(m_version); }

    QString root() const { return m_root.path(); }
    QDateTime builtAt(const QString& cache) const
    {
        return QFileInfo(folders.userData + "/Database/" + cache).lastModified();
    }

    ChartAssembly::Folders folders;
    ScopedAlertRecorder recorder;

private:
    QTemporaryDir m_root;
    QString m_version;
};

// Shows the program and waits until its launch has finished.
bool launches(ChartAssembly& program)
{
    if (!program.awakeFromNib())
        return false;
    program.show();
    return QTest::qWaitFor([&] { return program.skyWindow().skyView().hasLaunched(); }, 120000);
}

}  // namespace

TEST_F(ChartAssemblyTest, TheFirstStartInstallsAndBuildsTheSecondUsesTheCaches)
{
    ASSERT_FALSE(folders.bundleData.isEmpty());
    QDateTime stars;
    {
        ChartAssembly first(folders);
        ASSERT_TRUE(launches(first));
        EXPECT_TRUE(QFileInfo(folders.userData + "/Tour").isDir());
        EXPECT_GT(first.starDatabaseModel().numStars(), 0u);
        EXPECT_EQ(first.prefControl().versionStr(), "1.0.0");
        // The start date is set and everything projected, the planets too.
        EXPECT_GT(first.starDatabaseModel().radius(), 0.0);
        const float jupiter = first.starDatabaseModel().planets()[4].geoDistance;
        EXPECT_GT(jupiter, 0.0f);
        stars = builtAt("Stars.tvk");
        ASSERT_TRUE(stars.isValid());
    }
    ChartAssembly second(folders);
    ASSERT_TRUE(launches(second));
    EXPECT_EQ(builtAt("Stars.tvk"), stars);
    EXPECT_GT(second.starDatabaseModel().numStars(), 0u);
    EXPECT_TRUE(recorder.alerts.empty());

    // With debugging on, a rebuild from a shorter star source logs the
    // figure lines it had to drop.
    second.prefControl().setIsDebug();
    QFile source(folders.userData + "/Build Data/BuildStar.txt");
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write(CatalogueFixture::starText(2000));
    source.close();
    // The shipped US cities, once shown, are rebuilt from their text too.
    QAbstractItemModel* cities = second.prefWindow().cityTables()->view(CityDataSource::kUSTag)->model();
    cities->fetchMore({});
    EXPECT_GT(cities->rowCount(), 1000);
    QFile cityText(folders.userData + "/Build Data/BuildUSCity.txt");
    ASSERT_TRUE(cityText.open(QIODevice::WriteOnly));
    cityText.write("1\nTaos, NM\t36\t24\tN\t105\t34\tW\t-7\n");
    cityText.close();
    second.starDatabaseModel().rebuildDatabase();
    ASSERT_EQ(second.starDatabaseModel().numStars(), 2000u);
    EXPECT_EQ(cities->rowCount(), 1);
    QFile log(folders.userData + "/Misc/DebugLog.txt");
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(log.readAll().contains("Constellation line ")) << log.fileName().toStdString();
}

// Boundaries are off after a first start: the launch reads and checks their
// table but holds it only while the Show menu shows them, projected as drawn.
TEST_F(ChartAssemblyTest, BoundariesAreHeldOnlyWhileTheShowMenuShowsThem)
{
    constexpr int kBoundariesItem = 2;  // "Const. Boundaries"
    ChartAssembly program(folders);
    ASSERT_TRUE(launches(program));
    const StarDatabaseModel& model = program.starDatabaseModel();
    ASSERT_FALSE(program.prefControl().isBoundaries());
    EXPECT_EQ(model.numBoundary(), 0u);

    program.menuBar().showMenu().menuAction(kBoundariesItem);
    ASSERT_TRUE(QTest::qWaitFor([&] { return model.numBoundary() >= 1600u; }, 10000));
    int shown = 0;
    for (const boundaryLocn& vertex : model.boundaryLocns())
        shown += vertex.visible != 0;
    EXPECT_GT(shown, 0);

    program.menuBar().showMenu().menuAction(kBoundariesItem);
    EXPECT_TRUE(QTest::qWaitFor([&] { return model.numBoundary() == 0u; }, 10000));
    EXPECT_TRUE(recorder.alerts.empty());
}

// A minor-planet cache large enough to be read on a worker arrives after the
// chart shows, and the chart passes over it again.
TEST_F(ChartAssemblyTest, ALargeMinorPlanetCacheArrivesAfterTheChartShows)
{
    {
        ChartAssembly first(folders);
        ASSERT_TRUE(launches(first));
    }
    QTemporaryDir build;
    ASSERT_TRUE(build.isValid());
    QFile orbits(build.filePath(MinorPlanetTable::kOrbitFile));
    ASSERT_TRUE(orbits.open(QIODevice::WriteOnly));
    orbits.write(largeOrbitFile(SmallBodyPositions::kParallelThreshold));
    orbits.close();
    MinorPlanetTable::Request request;
    request.rebuild = request.useOrbitFile = request.allOrbits = true;
    ASSERT_EQ(MinorPlanetTable::importOrbitFile(request, build.path() + "/", folders.userData + "/Database/")
                  .result.status,
              MinorPlanetTable::Status::Built);

    ChartAssembly second(folders);
    second.prefControl().setShowMP(true);
    ASSERT_TRUE(launches(second));
    const auto passedOver = [&] {
        return second.starDatabaseModel().numMinorPlanets() == SmallBodyPositions::kParallelThreshold
               && second.solarSystemModel().minorPlanetsOnScreen().has_value();
    };
    EXPECT_TRUE(QTest::qWaitFor(passedOver, 60000));
    EXPECT_TRUE(recorder.alerts.empty());
}

TEST_F(ChartAssemblyTest, AStartupFailureEndsTheEventLoopCleanly)
{
    // A shipped folder without any catalogue.
    for (const char* folder : {"Build Data", "Database", "Misc", "Photos", "Tour"})
        ASSERT_TRUE(QDir().mkpath(root() + "/ZQData/" + folder));
    folders.bundleData = root() + "/ZQData";
    ChartAssembly program(folders);
    ASSERT_TRUE(program.awakeFromNib());
    program.show();
    QTimer guard;
    guard.callOnTimeout([] { QCoreApplication::exit(99); });
    guard.start(60000);

    EXPECT_EQ(QApplication::exec(), EXIT_FAILURE);

    EXPECT_FALSE(program.skyWindow().skyView().hasLaunched());
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "Startup Failed");
}
