#include "chart/ChartPrefs.h"
#include "chart/TestFiles.h"

#include "app/DataFolderInstaller.h"
#include "app/LaunchSequence.h"
#include "chart/WindowSettings.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

namespace {

// A launch against fakes, a temporary settings file and a tiny shipped data
// folder that installs into a temporary per-user folder.
class LaunchSequenceTest : public ChartPrefsTest {
protected:
    void SetUp() override
    {
        ChartPrefsTest::SetUp();
        ASSERT_TRUE(m_root.isValid());
        bundle = m_root.path() + "/ZQData";
        user = m_root.path() + "/share/Norvane Pro";
        for (const char* file : {"Build Data/BuildStar.txt", "Database/.gitkeep", "Misc/URL List.txt",
                                 "Photos/M31.jpg", "Tour/Messier Objects.txt"})
            writeFile(bundle + "/" + file, "1");
        outlets = fakes.outlets();
    }

    QByteArray userFile(const QString& relative) const { return readFile(user + "/" + relative); }

    // The sequence of a program of version `bundleVersion`; the settings
    // object hands its arrow speed to the sliders as it reads the settings,
    // which marks that step in the log.
    LaunchSequence& launch(const QString& bundleVersion = "1.0.0")
    {
        PrefControl& prefs = makePrefs();
        PrefLinks links;
        links.viewSliders = &fakes.sliders;
        prefs.setLinks(links);
        m_installer = std::make_unique<DataFolderInstaller>(bundle, user);
        m_windowSettings = std::make_unique<WindowSettings>(prefs, outlets);
        m_launch = std::make_unique<LaunchSequence>(prefs, *m_installer, outlets, *m_windowSettings, fakes.view,
                                                    fakes.parts, bundleVersion);
        return *m_launch;
    }
    // A folder installed by an earlier launch of version 1.0.0.
    void installed()
    {
        LaunchSequence& earlier = launch();
        ASSERT_TRUE(earlier.setupDirectories());
        ASSERT_TRUE(earlier.didLaunch());
        fakes.log.calls.clear();
    }
    QString storedVersion() const { return storedValues().value("VersionPref").toString(); }
    // A launch of `bundleVersion` after the shipped star text has changed.
    void relaunch(const QString& bundleVersion, const QByteArray& starsAfter, const QString& storedAfter)
    {
        writeFile(bundle + "/Build Data/BuildStar.txt", "2");
        ASSERT_TRUE(launch(bundleVersion).didLaunch());
        EXPECT_EQ(userFile("Build Data/BuildStar.txt"), starsAfter);
        EXPECT_EQ(storedVersion(), storedAfter);
        EXPECT_TRUE(fakes.log.calls.contains("view.setHasLaunched"));
        EXPECT_TRUE(recorder.alerts.empty());
    }

    ScopedAlertRecorder recorder;
    QString bundle;
    QString user;
    ChartOutlets outlets;

private:
    QTemporaryDir m_root;
    std::unique_ptr<DataFolderInstaller> m_installer;
    std::unique_ptr<WindowSettings> m_windowSettings;
    std::unique_ptr<LaunchSequence> m_launch;
};

template <std::size_t N>
QStringList each(const char* const (&objects)[N], const QString& call)
{
    QStringList calls;
    for (const QString object : objects)
        calls << object + call;
    return calls;
}

// Whether `calls` holds `expected` in this order, other calls between them allowed.
::testing::AssertionResult inOrder(const QStringList& calls, const QStringList& expected)
{
    qsizetype from = 0;
    for (const QString& call : expected) {
        const qsizetype at = calls.indexOf(call, from);
        if (at < 0)
            return ::testing::AssertionFailure() << "\"" << call.toStdString() << "\" missing or out of order in:\n"
                                                 << calls.join('\n').toStdString();
        from = at + 1;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST_F(LaunchSequenceTest, TheSettingsSwitchTheirStepsOn)
{
    installed();
    seed({{"TimePanelPref", "YES"}, {"DirectionPanelPref", "YES"}, {"ToolTipsPref", "NO"}, {"ShowToolbarPref", "NO"},
          {"MythPref", "YES"}, {"CustomHorizonPref", "YES"}, {"RunRealTimePref", "YES"}, {"VersionCheckPref", "YES"}});
    ASSERT_TRUE(launch().didLaunch());

    const QStringList& calls = fakes.log.calls;
    // The tables exist before the sky date, and both before the first projection.
    EXPECT_TRUE(inOrder(calls, {"images.createStarArrays", "view.showSplashStage 1", "store.setupDatabase",
                                "view.showSplashStage 2", "images.createObjectSymbols", "skyDate.startupDate",
                                "model.calculateStarPositions true", "view.showSplashStage 3"}));
    EXPECT_TRUE(inOrder(calls, {"view.showSplashStage 3", "timePanel.orderFront", "directionPanel.orderFront",
                                "sliders.azimuth 180"}));
    // The toolbar takes its room from the chart view before the first projection.
    EXPECT_TRUE(inOrder(calls, {"store.setupDatabase", "toolbar.setupToolbar", "toolbar.clearToolTips",
                                "window.setToolbarShown false", "view.showSplashStage 2",
                                "model.calculateStarPositions true"}));
    EXPECT_TRUE(inOrder(calls, each(kToolTipOrder, ".clearToolTips")));
    EXPECT_FALSE(calls.contains("timePanel.setToolTips"));
    EXPECT_TRUE(inOrder(calls, {"view.showSplashStage 4", "images.recolorObjectSymbols", "images.recolorMythForms",
                                "store.createHorizonAltAz 0", "view.setHasLaunched", "bottomPanel.updateBottomPanel",
                                "timePanel.setRunRealTime", "nvxMenu.checkNvxVersion false", "view.display",
                                "companion.createManager"}));
}

TEST_F(LaunchSequenceTest, APartThatIsNotThereIsSkipped)
{
    installed();
    outlets = ChartOutlets();
    ASSERT_TRUE(launch().didLaunch());
    EXPECT_TRUE(inOrder(fakes.log.calls, {"view.showSplashStage 4", "view.setHasLaunched", "view.startCursorTimer"}));
}

TEST_F(LaunchSequenceTest, AStartupFailureEndsTheLaunchThere)
{
    installed();
    fakes.parts.failDatabase = true;

    EXPECT_FALSE(launch().didLaunch());

    EXPECT_EQ(fakes.log.calls.last(), "store.setupDatabase");
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "Startup Failed");
    EXPECT_EQ(recorder.alerts[0].message, "Stars.tvk could not be read.");
}

TEST_F(LaunchSequenceTest, AnInstallationProblemEndsTheStart)
{
    ASSERT_TRUE(QDir(bundle).removeRecursively());
    EXPECT_FALSE(launch().setupDirectories());
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "There was an installation problem.");
    EXPECT_EQ(recorder.alerts[0].message, "Required ZQData could not be found.");
    EXPECT_FALSE(QFileInfo::exists(user));
}

TEST_F(LaunchSequenceTest, TheFirstLaunchCopiesTheFolderAndStoresTheVersion)
{
    LaunchSequence& sequence = launch();
    ASSERT_TRUE(sequence.setupDirectories());
    EXPECT_EQ(userFile("Tour/Messier Objects.txt"), "1");
    ASSERT_TRUE(sequence.didLaunch());
    EXPECT_EQ(storedVersion(), "1.0.0");
    EXPECT_TRUE(recorder.alerts.empty());
}

TEST_F(LaunchSequenceTest, AnUpgradeRefreshesTheShippedFilesAndStoresTheNewVersion)
{
    installed();
    writeFile(user + "/Build Data/Horizon0.txt", "my horizon");
    relaunch("1.1.0", "2", "1.1.0");
    EXPECT_EQ(userFile("Build Data/Horizon0.txt"), "my horizon");
}

TEST_F(LaunchSequenceTest, AFailedRefreshKeepsTheStoredVersionForTheNextLaunch)
{
    installed();
    ASSERT_TRUE(QFile::link(bundle + "/nowhere", bundle + "/Build Data/Broken.txt"));
    relaunch("1.1.0", "1", "1.0.0");
}
