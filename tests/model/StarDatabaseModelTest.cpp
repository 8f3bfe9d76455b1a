#include "model/StarDatabaseModel.h"

#include "model/catalogue/CacheRebuilder.h"
#include "model/catalogue/SmallBodyCatalogues.h"
#include "model/catalogue/StartupFailure.h"

#include "CatalogueFixture.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <array>

namespace {

class CatalogueStore : public ::testing::Test {
protected:
    // Runs the launch; the message of the start-up failure, or empty.
    QString setUp(StarDatabaseModel& model)
    {
        try {
            model.setupDatabase(fixture.folders());
        } catch (const StartupFailure& failure) {
            return failure.message();
        }
        return {};
    }

    QString stars() const { return fixture.folders().databaseDirectory + "Stars.tvk"; }
    QString deepSky() const { return fixture.folders().databaseDirectory + "DeepSky.tvk"; }

    CatalogueFixture fixture;
    ScopedAlertRecorder recorder;
    StarDatabaseModel model;
};

class RecordingRebuilder final : public CacheRebuilder {
public:
    RecordingRebuilder(QString name, QStringList& calls) : m_name(std::move(name)), m_calls(calls)
    {
    }
    QString cacheFileName() const override { return m_name; }
    bool rebuildCache() override
    {
        m_calls << m_name;
        return true;
    }

private:
    QString m_name;
    QStringList& m_calls;
};

class RecordingSmallBodies final : public SmallBodyCatalogues {
public:
    bool createCometData(bool rebuild) override
    {
        calls << QString("comets %1").arg(rebuild);
        return true;
    }
    void createMinorPlanetData(bool rebuild, bool useOrbitFile, bool allOrbits) override
    {
        calls << QString("minor planets %1 %2 %3").arg(rebuild).arg(useOrbitFile).arg(allOrbits);
    }
    QStringList calls;
};

}  // namespace

TEST_F(CatalogueStore, LaunchLoadsEveryTable)
{
    fixture.writeInstallation();
    fixture.writeBuildFile("Horizon1.txt",
                           CatalogueFixture::horizonText(CatalogueFixture::horizonPoints(12), 12));
    ASSERT_EQ(setUp(model), QString());
    EXPECT_TRUE(recorder.alerts.empty());
    EXPECT_EQ(model.numStars(), 2000u);
    EXPECT_EQ(model.numDeepSky(), 10000u);
    EXPECT_EQ(model.numConLines(), 20u);
    EXPECT_EQ(model.conLocnArray().size(), 89u);
    EXPECT_EQ(model.numBoundary(), 1600u);
    EXPECT_EQ(model.raLocnArray().size(), 3044u);
    EXPECT_EQ(model.altAzArray().size(), 3114u);
    EXPECT_EQ(model.numHorizon(1), 12u);
    EXPECT_EQ(model.numHorizon(0), 0u);
    EXPECT_EQ(model.mwCoords().size(), 346u);
    EXPECT_EQ(model.pathSkipLine(0), 9);
    EXPECT_TRUE(model.mwPath(29).isEmpty());
    EXPECT_EQ(model.meteors().size(), 10u);
    EXPECT_FALSE(model.isHorizon());
    ASSERT_TRUE(model.horizonAltAzPath());
    EXPECT_TRUE(model.horizonAltAzPath()->isEmpty());
    EXPECT_TRUE(QFile::exists(stars()));
    EXPECT_TRUE(QFile::exists(deepSky()));
}

TEST_F(CatalogueStore, PlanetRecordsAreNumberedWithNoDistanceYet)
{
    fixture.writeInstallation();
    ASSERT_EQ(setUp(model), QString());
    ASSERT_EQ(model.planets().size(), 11u);
    for (int k = 0; k < 11; ++k) {
        EXPECT_EQ(model.planets()[std::size_t(k)].index, k);
        EXPECT_EQ(model.planets()[std::size_t(k)].geoDistance, 0.0f);
    }
    EXPECT_EQ(model.planetPaths().size(), 40u);
}

TEST_F(CatalogueStore, FoldersEndInASlash)
{
    fixture.writeInstallation();
    ASSERT_EQ(setUp(model), QString());
    for (const QString& folder :
         {model.databaseDirectory(), model.buildDirectory(), model.photoDirectory(),
          model.imagesDirectory(), model.miscDirectory(), model.tourDirectory(),
          model.mythDirectory()})
        EXPECT_TRUE(folder.endsWith("/")) << folder.toStdString();
    EXPECT_TRUE(model.databaseDirectory().endsWith("/Database/"));
    EXPECT_TRUE(model.buildDirectory().endsWith("/Build Data/"));
    EXPECT_TRUE(model.mythDirectory().endsWith("/ZQData/Mythology/"));
}

TEST_F(CatalogueStore, HorizonAccessorsAnswerNothingOutsideTheFiveSlots)
{
    EXPECT_EQ(model.numHorizon(5), 0u);
    EXPECT_EQ(model.numHorizon(-1), 0u);
    EXPECT_TRUE(model.horizonArray(5).empty());
}

TEST_F(CatalogueStore, EachMissingTableStopsTheLaunchWithItsMessage)
{
    const std::array<std::pair<const char*, const char*>, 6> cases = {{
        {"TVk/Constellations.tvk", "Can not build constellation data."},
        {"TVk/RAGrid.tvk", "Can not build RA Grid data."},
        {"TVk/AltAzGrid.tvk", "Can not build AltAz grid data."},
        {"TVk/Boundary.tvk", "Constellation boundary access error."},
        {"Build Data/BuildStar.txt", "Can not open required file."},
        {"Build Data/BuildDeepSky.txt", "Can not open required file."},
    }};
    for (const auto& [file, message] : cases) {
        CatalogueFixture installation;
        installation.writeInstallation();
        const QString& folder = QString(file).startsWith("TVk")
                                    ? installation.folders().tvkDirectory
                                    : installation.folders().buildDirectory;
        QFile::remove(folder + "../" + file);
        recorder.alerts.clear();
        StarDatabaseModel fresh;
        QString failure;
        try {
            fresh.setupDatabase(installation.folders());
        } catch (const StartupFailure& e) {
            failure = e.message();
        }
        EXPECT_EQ(failure, QString(message)) << file;
        ASSERT_EQ(recorder.alerts.size(), 1u) << file;
        EXPECT_EQ(recorder.alerts[0].title, QString("Startup Failed"));
        EXPECT_EQ(recorder.alerts[0].message, QString(message));
    }
}

TEST_F(CatalogueStore, NothingIsLoadedAfterAFailure)
{
    fixture.writeInstallation();
    QFile::remove(fixture.folders().tvkDirectory + "RAGrid.tvk");
    EXPECT_EQ(setUp(model), QString("Can not build RA Grid data."));
    EXPECT_EQ(model.numDeepSky(), 10000u);
    EXPECT_TRUE(model.altAzArray().empty());
    EXPECT_TRUE(model.mwCoords().empty());
    EXPECT_EQ(model.numBoundary(), 0u);
    EXPECT_TRUE(model.meteors().empty());
}

TEST_F(CatalogueStore, ShortTablesStopTheLaunch)
{
    fixture.writeInstallation(2000, 9999);
    EXPECT_EQ(setUp(model), QString("Deep Sky number error."));
    fixture.writeTvkFile("Boundary.tvk", CatalogueFixture::boundaryBytes(1599));
    fixture.writeBuildFile("BuildDeepSky.txt", CatalogueFixture::deepSkyText(10000));
    StarDatabaseModel second;
    EXPECT_EQ(setUp(second), QString("Constellation boundary number error."));
}

TEST_F(CatalogueStore, FigureLinesBeyondTheStarTableAreDropped)
{
    fixture.writeInstallation();
    const std::vector<conLine> lines{{0, 1}, {1999, 2000}, {5, 6}};
    fixture.writeTvkFile("Constellations.tvk",
                         CatalogueFixture::bytesOf(std::span<const conLine>(lines)));
    QStringList log;
    model.setDebugSink([&](const QString& line) { log << line; });
    ASSERT_EQ(setUp(model), QString());
    EXPECT_EQ(model.numConLines(), 2u);
    EXPECT_EQ(model.conLinesArray()[1].star1, 5);
    EXPECT_EQ(log.size(), 1);
}

TEST_F(CatalogueStore, SmallBodyTablesLoadBetweenDeepSkyAndTheGrids)
{
    fixture.writeInstallation();
    QFile::remove(fixture.folders().tvkDirectory + "RAGrid.tvk");
    RecordingSmallBodies smallBodies;
    model.setSmallBodyCatalogues(&smallBodies);
    EXPECT_EQ(setUp(model), QString("Can not build RA Grid data."));
    EXPECT_EQ(smallBodies.calls, (QStringList{"comets 0", "minor planets 0 0 0"}));
}

TEST_F(CatalogueStore, RebuildReplacesTheCachesThatExist)
{
    fixture.writeInstallation();
    ASSERT_EQ(setUp(model), QString());
    QFile::remove(deepSky());
    fixture.writeBuildFile("BuildStar.txt", CatalogueFixture::starText(2100));
    QStringList calls;
    RecordingRebuilder comets("Comets.tvk", calls), cities("USCity.tvk", calls);
    model.addCacheRebuilder(comets);
    model.addCacheRebuilder(cities);
    fixture.writeDatabaseFile("USCity.tvk", "x");

    EXPECT_TRUE(model.rebuildDatabase());
    EXPECT_EQ(model.numStars(), 2100u);
    EXPECT_EQ(CatalogueFixture::readFile(stars()).size(), 2100 * 148);
    EXPECT_FALSE(QFile::exists(deepSky()));
    EXPECT_EQ(model.numDeepSky(), 10000u);
    EXPECT_EQ(calls, QStringList{"USCity.tvk"});
    EXPECT_TRUE(recorder.alerts.empty());
}

TEST_F(CatalogueStore, RebuildWithoutItsSourceKeepsTheOldCacheAndGoesOn)
{
    fixture.writeInstallation();
    ASSERT_EQ(setUp(model), QString());
    const QByteArray oldCache = CatalogueFixture::readFile(stars());
    QFile::remove(fixture.folders().buildDirectory + "BuildStar.txt");

    EXPECT_FALSE(model.rebuildDatabase());
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, QString("Startup Failed"));
    EXPECT_EQ(recorder.alerts[0].message, QString("Can not open required file."));
    EXPECT_EQ(CatalogueFixture::readFile(stars()), oldCache);
    EXPECT_EQ(model.numStars(), 2000u);
    // The deep-sky cache was still rebuilt, and the next launch loads the old star cache.
    EXPECT_TRUE(QFile::exists(deepSky()));
    StarDatabaseModel next;
    EXPECT_EQ(setUp(next), QString());
    EXPECT_EQ(next.numStars(), 2000u);
}

TEST_F(CatalogueStore, RebuildFromAShortTextKeepsTheOldTable)
{
    fixture.writeInstallation();
    ASSERT_EQ(setUp(model), QString());
    const QByteArray oldCache = CatalogueFixture::readFile(stars());
    fixture.writeBuildFile("BuildStar.txt", CatalogueFixture::starText(100));
    EXPECT_FALSE(model.rebuildDatabase());
    EXPECT_EQ(recorder.alerts.at(0).message, QString("Star number error."));
    EXPECT_EQ(CatalogueFixture::readFile(stars()), oldCache);
    EXPECT_EQ(model.numStars(), 2000u);
}

TEST_F(CatalogueStore, RebuildOfAShorterStarTableDropsTheFigureLinesItNoLongerHolds)
{
    fixture.writeInstallation();
    const std::vector<conLine> lines{{0, 1}, {2000, 2001}};
    fixture.writeTvkFile("Constellations.tvk",
                         CatalogueFixture::bytesOf(std::span<const conLine>(lines)));
    fixture.writeBuildFile("BuildStar.txt", CatalogueFixture::starText(2100));
    ASSERT_EQ(setUp(model), QString());
    EXPECT_EQ(model.numConLines(), 2u);
    fixture.writeBuildFile("BuildStar.txt", CatalogueFixture::starText(2000));
    EXPECT_TRUE(model.rebuildDatabase());
    EXPECT_EQ(model.numConLines(), 1u);
}

TEST_F(CatalogueStore, CustomHorizonFigureFollowsTheCurrentSite)
{
    fixture.writeInstallation();
    ASSERT_EQ(setUp(model), QString());
    fixture.writeBuildFile("Horizon3.txt",
                           CatalogueFixture::horizonText(CatalogueFixture::horizonPoints(10), 10));
    model.createHorizonAltAz(3);
    ASSERT_TRUE(model.horizonAltAzPath());
    EXPECT_EQ(model.horizonAltAzPath()->elementCount(), 13);
    model.createHorizonAltAz(2);
    EXPECT_FALSE(model.horizonAltAzPath());

    std::array<std::uint16_t, 256> profile;
    profile.fill(256);
    model.createPhotoAltAz(profile);
    ASSERT_TRUE(model.horizonAltAzPath());
    EXPECT_EQ(model.horizonAltAzPath()->elementCount(), 259);
}
