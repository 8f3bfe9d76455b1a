#include "ChartPrefs.h"

#include "chart/DataFolderInstaller.h"
#include "chart/LaunchSequence.h"
#include "chart/WindowSettings.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <memory>

namespace {

void writeFile(const QString& path, const QByteArray& content)
{
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    ASSERT_EQ(file.write(content), content.size());
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

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
        ship("Build Data/BuildStar.txt", "stars 1");
        ship("Database/.gitkeep", "");
        ship("Misc/URL List.txt", "urls 1");
        ship("Photos/M31.jpg", "photo");
        ship("Tour/Messier Objects.txt", "M1");
        outlets = fakes.outlets();
    }

    void ship(const QString& relative, const QByteArray& content)
    {
        writeFile(bundle + "/" + relative, content);
    }
    QString userFile(const QString& relative) const
    {
        return QString::fromLatin1(readFile(user + "/" + relative));
    }

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
        m_launch = std::make_unique<LaunchSequence>(prefs, *m_installer, outlets, *m_windowSettings,
                                                    fakes.view, fakes.window, bundleVersion);
        return *m_launch;
    }
    // A folder installed and refreshed by an earlier launch of version 1.0.0.
    void installed()
    {
        LaunchSequence& earlier = launch();
        ASSERT_TRUE(earlier.setupDirectories());
        ASSERT_TRUE(earlier.didLaunch());
        fakes.log.calls.clear();
    }
    QString storedVersion() const { return storedValues().value("VersionPref").toString(); }

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

QStringList hideTable(bool hide)
{
    QStringList calls;
    for (const char* window :
         {"skyWindow", "svWindow", "lx200Panel", "meadeBasicPanel", "temmaPanel", "nexStarPanel",
          "geminiPanel", "iOptronPanel", "iEQ45Panel", "alignPanel", "ssWindow", "tonightWindow",
          "webcamPanel", "canonPanel", "sg4Panel", "allSkyPanel", "optecWindow", "roboWindow",
          "jmiWindow", "domePanel", "ddwPanel"})
        calls << QString("%1.setHide %2").arg(window, hide ? "true" : "false");
    return calls;
}

QStringList toolTips(const char* call)
{
    QStringList calls;
    for (const char* owner :
         {"timePanel", "directionPanel", "prefLocalization", "findPanel", "svDrawView",
          "lx200Panel", "meadeBasicPanel", "temmaPanel", "geminiPanel", "iOptronPanel",
          "iEQ45Panel", "webcamControl", "canonPanel", "domePanel", "ddwPanel"})
        calls << QString("%1.%2").arg(owner, call);
    return calls;
}

// Whether `calls` holds `expected` in this order, other calls between them allowed.
::testing::AssertionResult inOrder(const QStringList& calls, const QStringList& expected)
{
    qsizetype from = 0;
    for (const QString& call : expected) {
        const qsizetype at = calls.indexOf(call, from);
        if (at < 0)
            return ::testing::AssertionFailure()
                   << "\"" << call.toStdString() << "\" missing or out of order in:\n"
                   << calls.join('\n').toStdString();
        from = at + 1;
    }
    return ::testing::AssertionSuccess();
}

}  // namespace

// Order of the launch

TEST_F(LaunchSequenceTest, TheLaunchRunsEveryStepInOrder)
{
    installed();
    LaunchSequence& sequence = launch();

    ASSERT_TRUE(sequence.didLaunch());

    const QString arrowSpeed = QVariant(51.0f).toString();
    const QStringList expected =
        QStringList{
            "images.createStarArrays",
            "sliders.arrowSpeed " + arrowSpeed,  // the settings are read
            "view.showSplashStage 1",
            "store.setupDatabase",
            "view.showSplashStage 2",
            "images.createObjectSymbols",
            "skyDate.startupDate",
            "model.calculateStarPositions true",
            "view.showSplashStage 3",
            "sliders.azimuth 180",
            "sliders.altitude 45",
            "sliders.viewAngle 120",
            "prefWindow.localizePrefPanel",
            "prefWindow.setupDate",
            "prefWindow.setupScopes 0",
            "prefWindow.setupShortcuts",
            "timePanel.setupDate",
            "timePanel.setTransparency",
            "directionPanel.setTransparency",
            "findPanel.setTransparency",
            "lx200Panel.setTransparency",
            "meadeBasicPanel.setTransparency",
            "temmaPanel.setTransparency",
            "geminiPanel.setTransparency",
            "infoPanelDrag.updateInfoPanelText",
            "prefWindow.setupFontsAndColors",
            "svDrawer.setupDrawer",
            "prefWindow.setupHideBoxes",
        } +
        hideTable(true) +
        QStringList{
            "view.display",
            "toolbar.setupToolbar",
            "window.setToolbarShown true",
        } +
        toolTips("setToolTips") +
        QStringList{
            "connectMenu.setupConnectMenu",
            "view.showSplashStage 4",
            "images.recolorStarArrays",
            "images.recolorObjectSymbols",
            "view.setHasLaunched",
            "window.makeKeyWindow",
            "bottomPanel.updateBottomPanel",
            "view.display",
            "companion.createManager",
            "view.startCursorTimer",
        };
    EXPECT_EQ(fakes.log.calls, expected);
    EXPECT_TRUE(recorder.alerts.empty());
}

TEST_F(LaunchSequenceTest, TheSettingsSwitchTheirStepsOn)
{
    installed();
    seed({{"TimePanelPref", "YES"}, {"DirectionPanelPref", "YES"}, {"ToolTipsPref", "NO"},
          {"ShowToolbarPref", "NO"}, {"MythPref", "YES"}, {"CustomHorizonPref", "YES"},
          {"RunRealTimePref", "YES"}, {"VersionCheckPref", "YES"}});
    LaunchSequence& sequence = launch();

    ASSERT_TRUE(sequence.didLaunch());

    const QStringList& calls = fakes.log.calls;
    EXPECT_TRUE(inOrder(calls, {"view.showSplashStage 3", "timePanel.orderFront",
                                "directionPanel.orderFront", "sliders.azimuth 180"}));
    EXPECT_TRUE(inOrder(calls, {"toolbar.setupToolbar", "toolbar.clearToolTips",
                                "window.setToolbarShown false"}));
    EXPECT_TRUE(inOrder(calls, toolTips("clearToolTips")));
    EXPECT_FALSE(calls.contains("timePanel.setToolTips"));
    EXPECT_TRUE(inOrder(calls, {"view.showSplashStage 4", "images.recolorObjectSymbols",
                                "images.recolorMythForms", "store.createHorizonAltAz 0",
                                "view.setHasLaunched", "bottomPanel.updateBottomPanel",
                                "timePanel.setRunRealTime", "nvxMenu.checkNvxVersion false",
                                "view.display", "companion.createManager"}));
}

TEST_F(LaunchSequenceTest, APartThatIsNotThereIsSkipped)
{
    installed();
    outlets = ChartOutlets();
    LaunchSequence& sequence = launch();

    ASSERT_TRUE(sequence.didLaunch());

    EXPECT_EQ(fakes.log.calls,
              QStringList({"sliders.arrowSpeed " + QVariant(51.0f).toString(),
                           "view.showSplashStage 1", "view.showSplashStage 2",
                           "view.showSplashStage 3", "view.display", "window.setToolbarShown true",
                           "view.showSplashStage 4", "view.setHasLaunched", "window.makeKeyWindow",
                           "view.display", "view.startCursorTimer"}));
}

// Failure

TEST_F(LaunchSequenceTest, AStartupFailureEndsTheLaunchThere)
{
    installed();
    fakes.store.fail = true;
    LaunchSequence& sequence = launch();

    EXPECT_FALSE(sequence.didLaunch());

    EXPECT_EQ(fakes.log.calls.last(), "store.setupDatabase");
    EXPECT_FALSE(fakes.log.calls.contains("view.setHasLaunched"));
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "Startup Failed");
    EXPECT_EQ(recorder.alerts[0].message, "Stars.tvk could not be read.");
}

TEST_F(LaunchSequenceTest, AMissingShippedFolderEndsTheStart)
{
    QDir(bundle).removeRecursively();
    LaunchSequence& sequence = launch();

    EXPECT_FALSE(sequence.setupDirectories());

    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "There was an installation problem.");
    EXPECT_EQ(recorder.alerts[0].message, "Required ZQData could not be found.");
    EXPECT_FALSE(QFileInfo::exists(user));
}

TEST_F(LaunchSequenceTest, AFailedCopyEndsTheStartWithItsNumberedAlert)
{
    ASSERT_TRUE(QDir(bundle + "/Tour").removeRecursively());
    LaunchSequence& sequence = launch();

    EXPECT_FALSE(sequence.setupDirectories());

    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "There was an installation problem (6).");
    EXPECT_FALSE(QFileInfo::exists(user));
}

// The data folder and the stored version

TEST_F(LaunchSequenceTest, TheFirstLaunchCopiesTheFolderAndStoresTheVersion)
{
    LaunchSequence& sequence = launch();

    ASSERT_TRUE(sequence.setupDirectories());
    EXPECT_EQ(userFile("Build Data/BuildStar.txt"), "stars 1");
    EXPECT_EQ(userFile("Tour/Messier Objects.txt"), "M1");
    ASSERT_TRUE(sequence.didLaunch());

    EXPECT_EQ(storedVersion(), "1.0.0");
    EXPECT_TRUE(recorder.alerts.empty());
}

TEST_F(LaunchSequenceTest, TheSameVersionTouchesNoFile)
{
    installed();
    writeFile(user + "/Misc/URL List.txt", "edited");
    ship("Build Data/BuildStar.txt", "stars 2");
    // Longer than five characters: the whole version decides.
    seed({{"VersionPref", "10.2.13"}});
    LaunchSequence& sequence = launch("10.2.13");

    ASSERT_TRUE(sequence.setupDirectories());
    ASSERT_TRUE(sequence.didLaunch());

    EXPECT_EQ(userFile("Misc/URL List.txt"), "edited");
    EXPECT_EQ(userFile("Build Data/BuildStar.txt"), "stars 1");
    EXPECT_EQ(storedVersion(), "10.2.13");
}

TEST_F(LaunchSequenceTest, AnUpgradeRefreshesTheFolderAndStoresTheNewVersion)
{
    installed();
    writeFile(user + "/Build Data/Horizon0.txt", "my horizon");
    ship("Build Data/BuildStar.txt", "stars 2");
    LaunchSequence& sequence = launch("1.1.0");

    ASSERT_TRUE(sequence.didLaunch());

    EXPECT_EQ(userFile("Build Data/BuildStar.txt"), "stars 2");
    EXPECT_EQ(userFile("Build Data/Horizon0.txt"), "my horizon");
    EXPECT_EQ(storedVersion(), "1.1.0");
}

TEST_F(LaunchSequenceTest, AFailedRefreshKeepsTheStoredVersionForTheNextLaunch)
{
    installed();
    ship("Build Data/BuildStar.txt", "stars 2");
    ASSERT_TRUE(QFile::link(bundle + "/nowhere", bundle + "/Build Data/Broken.txt"));
    LaunchSequence& sequence = launch("1.1.0");

    ASSERT_TRUE(sequence.didLaunch());

    EXPECT_EQ(userFile("Build Data/BuildStar.txt"), "stars 1");
    EXPECT_EQ(storedVersion(), "1.0.0");
    EXPECT_TRUE(fakes.log.calls.contains("view.setHasLaunched"));
    EXPECT_TRUE(recorder.alerts.empty());
}

TEST_F(LaunchSequenceTest, AProgramWithoutAVersionSkipsTheVersionTest)
{
    installed();
    ship("Build Data/BuildStar.txt", "stars 2");
    LaunchSequence& sequence = launch("");

    ASSERT_TRUE(sequence.didLaunch());

    EXPECT_EQ(userFile("Build Data/BuildStar.txt"), "stars 1");
    EXPECT_EQ(storedVersion(), "1.0.0");
}
