#include "model/StarDatabaseModel.h"

#include "model/catalogue/CacheRebuilder.h"
#include "model/catalogue/SmallBodyCatalogues.h"
#include "model/catalogue/StartupFailure.h"

#include "CatalogueFixture.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <array>

namespace {

// Runs the launch; the message of the start-up failure, or empty.
QString launch(StarDatabaseModel& model, const CatalogueFixture& installation)
{
    try {
        model.setupDatabase(installation.folders());
    } catch (const StartupFailure& failure) {
        return failure.message();
    }
    return {};
}

class CatalogueStore : public ::testing::Test {
protected:
    QString setUp(StarDatabaseModel& m) { return launch(m, fixture); }
    QString stars() const { return fixture.folders().databaseDirectory + "Stars.tvk"; }
    QString deepSky() const { return fixture.folders().databaseDirectory + "DeepSky.tvk"; }

    CatalogueFixture fixture;
    ScopedAlertRecorder recorder;
    StarDatabaseModel model;
};

class RecordingRebuilder final : public CacheRebuilder {
public:
    RecordingRebuilder(QString name, QStringList& calls) : m_name(std::move(name)), m_calls(calls) {}
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
    EXPECT_EQ(model.mwCoords().size(), 346u);
    EXPECT_EQ(model.meteors().size(), 10u);
    EXPECT_TRUE(QFile::exists(stars()) && QFile::exists(deepSky()));
    // Horizon slots: 0..4 only.
    EXPECT_EQ(model.numHorizon(1), 12u);
    EXPECT_EQ(model.numHorizon(0), 0u);
    EXPECT_EQ(model.numHorizon(5), 0u);
    EXPECT_EQ(model.numHorizon(-1), 0u);
    EXPECT_TRUE(model.horizonArray(5).empty());
    ASSERT_EQ(model.planets().size(), 11u);
    EXPECT_EQ(model.planets()[10].index, 10);
    EXPECT_EQ(model.planetPaths().size(), 40u);
    const QString root = QDir(fixture.folders().databaseDirectory + "../..").absolutePath();
    EXPECT_EQ((QStringList{model.databaseDirectory(), model.buildDirectory(),
                           model.photoDirectory(), model.imagesDirectory(), model.miscDirectory(),
                           model.tourDirectory(), model.mythDirectory()}),
              (QStringList{root + "/user/Database/", root + "/user/Build Data/",
                           root + "/ZQData/StockPhotos/", root + "/Resources/ImageF/",
                           root + "/user/Misc/", root + "/user/Tour/", root + "/ZQData/Mythology/"}));
}

TEST_F(CatalogueStore, EachMissingOrShortTableStopsTheLaunchWithItsAlert)
{
    using F = CatalogueFixture;
    struct Case {
        bool tvk;
        const char* file;
        QByteArray bytes;  // null: the file is missing
        const char* message;
    };
    const Case cases[] = {
        {true, "Constellations.tvk", {}, "Can not build constellation data."},
        {true, "RAGrid.tvk", {}, "Can not build RA Grid data."},
        {true, "AltAzGrid.tvk", {}, "Can not build AltAz grid data."},
        {true, "Boundary.tvk", {}, "Constellation boundary access error."},
        {true, "Boundary.tvk", F::boundaryBytes(1599), "Constellation boundary number error."},
        {false, "BuildStar.txt", {}, "Can not open required file."},
        {false, "BuildStar.txt", F::starText(1999), "Star number error."},
        {false, "BuildDeepSky.txt", {}, "Can not open required file."},
        {false, "BuildDeepSky.txt", F::deepSkyText(9999), "Deep Sky number error."},
    };
    for (const Case& c : cases) {
        CatalogueFixture installation;
        installation.writeInstallation();
        const QString path = (c.tvk ? installation.folders().tvkDirectory
                                    : installation.folders().buildDirectory) + c.file;
        if (c.bytes.isNull())
            QFile::remove(path);
        else
            F::write(path, c.bytes);
        recorder.alerts.clear();
        StarDatabaseModel fresh;
        EXPECT_EQ(launch(fresh, installation), QString(c.message)) << c.file;
        ASSERT_EQ(recorder.alerts.size(), 1u) << c.file;
        EXPECT_EQ(recorder.alerts[0].title, QString("Startup Failed"));
        EXPECT_EQ(recorder.alerts[0].message, QString(c.message));
    }
}

// The small bodies load between the deep sky and the grids; nothing after a failure.
TEST_F(CatalogueStore, ALaunchStopsAtItsFirstFailure)
{
    fixture.writeInstallation();
    QFile::remove(fixture.folders().tvkDirectory + "RAGrid.tvk");
    RecordingSmallBodies smallBodies;
    model.setSmallBodyCatalogues(&smallBodies);
    EXPECT_EQ(setUp(model), QString("Can not build RA Grid data."));
    EXPECT_EQ(smallBodies.calls, (QStringList{"comets 0", "minor planets 0 0 0"}));
    EXPECT_EQ(model.numDeepSky(), 10000u);
    EXPECT_TRUE(model.altAzArray().empty());
    EXPECT_TRUE(model.mwCoords().empty());
    EXPECT_EQ(model.numBoundary(), 0u);
    EXPECT_TRUE(model.meteors().empty());
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

// A failed rebuild keeps the old cache and table, and the program goes on.
TEST_F(CatalogueStore, RebuildWithoutItsSourceOrFromAShortTextKeepsTheOldTable)
{
    fixture.writeInstallation();
    ASSERT_EQ(setUp(model), QString());
    const QByteArray oldCache = CatalogueFixture::readFile(stars());
    fixture.writeBuildFile("BuildStar.txt", CatalogueFixture::starText(100));
    EXPECT_FALSE(model.rebuildDatabase());
    EXPECT_EQ(recorder.alerts.at(0).message, QString("Star number error."));
    EXPECT_EQ(CatalogueFixture::readFile(stars()), oldCache);
    EXPECT_EQ(model.numStars(), 2000u);

    QFile::remove(fixture.folders().buildDirectory + "BuildStar.txt");
    recorder.alerts.clear();
    EXPECT_FALSE(model.rebuildDatabase());
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, QString("Startup Failed"));
    EXPECT_EQ(recorder.alerts[0].message, QString("Can not open required file."));
    EXPECT_EQ(CatalogueFixture::readFile(stars()), oldCache);
    EXPECT_EQ(model.numStars(), 2000u);
    // The deep-sky cache is still rebuilt, and the next launch loads the old star cache.
    EXPECT_TRUE(QFile::exists(deepSky()));
    StarDatabaseModel next;
    EXPECT_EQ(setUp(next), QString());
    EXPECT_EQ(next.numStars(), 2000u);
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
