#include "PrefFixture.h"

#include "platform/AlertPanel.h"

#include <QCoreApplication>
#include <QFile>

namespace {

// The registered keys a reset leaves as they are.
const QStringList kKeptByReset = {
     "VersionPref", "RetainScopePollingPref", "ScopeAltAzPref", "WiFiIPPref", "WiFiPortPref",
     "SVSavePosnPref", "OptecFineSpeedPref", "OptecSlowSpeedPref", "OptecMedSpeedPref",
     "OptecFastSpeedPref", "RoboTempSlopePref", "JMIMaxValuePref", "JMIBacklashValuePref",
     "JMIBacklashPref", "JMISlowAdjPref", "JMIFastAdjPref", "JMIIOAdjPref", "FCUSBPWMPref",
     "FCUSB2PWMPref", "FCUSBSpeedPref", "FCUSB2SpeedPref", "MoonMaxPref", "MoonSlopePref", "SG4BaudPref",
     "AllSkyExpShedulePref", "AllSkyDarkShedulePref", "AllSkyHeatOnPref", "AllSkyHeatOffPref",
     "CanonImageFilePref", "CanonMovieFilePref", "CanonExpIndexPref", "DomeXPref", "DomeYPref",
     "DomeZPref", "DomeRPref", "DomerPref", "DomeFlipPref", "DomeHomePref", "DomeTicksPref",
     "DomeOverPref", "DomeDeltaPref", "DomeFreqPref", "DomeBaudPref", "DomeGEMPref", "DomeSetupPref",
     "DomeShutterPref", "DomeDirectionPref", "DomeI5V1Pref", "DomeI5V2Pref", "DomeI5V3Pref",
     "DomeI5V4Pref",
};

class RecordingPresenter final : public AlertPresenter {
public:
    RecordingPresenter(QStringList& shown, bool choice) : m_shown(shown), m_choice(choice) {}
    void showAlert(const QString& title, const QString& message) override { m_shown << title << message; }
    bool showChoice(const QString& title, const QString& message, const QString& first,
                    const QString& second) override
    {
        m_shown << title << message << first << second;
        return m_choice;
    }
    void beep() override {}

private:
    QStringList& m_shown;
    bool m_choice;
};

class PrefResetTest : public PrefFixture {
protected:
    void TearDown() override { AlertPanel::setPresenter(nullptr); }

    void answerReset(bool reset) { AlertPanel::setPresenter(std::make_unique<RecordingPresenter>(shown, reset)); }

    // Every registered key (and the unregistered photographic-horizon switch)
    // holding a value that is not its default.
    void seedEveryKey()
    {
        QMap<QString, QVariant> values;
        for (const PrefDefault& entry : PrefDefaults::registration(QDateTime::currentDateTime()))
            values.insert(entry.key, QStringLiteral("7"));
        values.insert("PhotoHorizonPref", QStringLiteral("7"));
        seed(values);
    }

    QStringList shown;
};

TEST_F(PrefResetTest, CancellingChangesNothing)
{
    seedEveryKey();
    PrefControl& prefs = launch();
    const auto before = storedValues();
    answerReset(false);
    fakes.log.calls.clear();
    prefs.restoreDefaultPrefsAction();
    EXPECT_EQ(shown, (QStringList{"Are you sure you want to do this?",
                                  "ALL your preferences will be reset to default values.", "Reset", "Cancel"}));
    EXPECT_EQ(storedValues(), before);
    EXPECT_TRUE(fakes.log.calls.isEmpty());
    EXPECT_EQ(prefs.starMagLimit(), 7.0);
}

TEST_F(PrefResetTest, ResetRemovesExactlyItsKeysAndKeepsTheDeviceConfiguration)
{
    seedEveryKey();
    PrefControl& prefs = launch();
    const auto before = storedValues();
    ASSERT_EQ(before.size(), 210);
    answerReset(true);
    prefs.restoreDefaultPrefsAction();
    auto kept = storedValues().keys();
    auto expected = kKeptByReset;
    expected.sort();
    EXPECT_EQ(kept, expected);
    for (const QString& key : kKeptByReset)
        EXPECT_EQ(storedValues().value(key), before.value(key)) << key.toStdString();
}

TEST_F(PrefResetTest, ResetBringsEveryRemovedValueBackToItsDefault)
{
    seedEveryKey();
    PrefControl& prefs = launch();
    prefs.sites()[0] = {48.0f, 11.0f};
    prefs.setIsNightVision();
    prefs.setNightVisionColor();
    prefs.mythArray().append("extra");
    answerReset(true);
    fakes.log.calls.clear();
    prefs.restoreDefaultPrefsAction();

    EXPECT_TRUE(prefs.isToolTips());
    EXPECT_FALSE(prefs.isPhotoHorizon());
    EXPECT_FALSE(prefs.isRunRealTime());
    EXPECT_EQ(prefs.altitude(), 45.0);
    EXPECT_EQ(prefs.azimuth(), 180.0);
    EXPECT_EQ(prefs.viewAngle(), 120.0);
    EXPECT_EQ(prefs.starMagLimit(), 6.5);
    EXPECT_EQ(prefs.latitude(), 0.0);
    EXPECT_EQ(prefs.sites()[0].latitude, 0.0f);
    EXPECT_EQ(prefs.scopes()[0].scopeFL, 2000.0f);
    EXPECT_EQ(prefs.scopeNamesArray()[0], QStringLiteral("Sample 8\" SCT"));
    EXPECT_EQ(prefs.siteTZNamesArray(), QStringList(5, "Undefined"));
    EXPECT_EQ(prefs.eyepieces()[9].eyeFOV, 100.0f);
    EXPECT_EQ(prefs.currentDSLR(), 0);
    EXPECT_FALSE(prefs.isFlipOutline());
    EXPECT_EQ(prefs.mythArray(), PrefDefaults::mythArray());
    EXPECT_EQ(prefs.startupTime().time(), QTime(22, 0));
    EXPECT_EQ(prefs.shortcutPrefStr(), QString(42, u'-'));
    // Shown at once, without a restart, and not red although night vision is on.
    EXPECT_EQ(prefs.constellationNameAttributes().font.family(), QStringLiteral("Lucida Grande"));
    EXPECT_EQ(prefs.constellationNameAttributes().color, QColor::fromRgbF(0.11f, 0.35f, 0.35f, 1.0f));
    EXPECT_EQ(prefs.gridLinesColor(), QColor::fromRgbF(0.18f, 0.18f, 0.04f, 1.0f));
    EXPECT_TRUE(prefs.isNightVision());
    // Kept settings are handed over again unchanged.
    EXPECT_EQ(prefs.versionStr(), QStringLiteral("7"));
    EXPECT_TRUE(fakes.log.calls.contains("stamp.setDateMovieDict 0 1024"));
    EXPECT_TRUE(fakes.log.calls.contains("moon.moonSetMax 7"));
    EXPECT_FALSE(fakes.log.calls.contains("wifi.setWifiIPAddress 7"));
    const qsizetype refresh = fakes.log.calls.indexOf("chart.updateSkyAndColor");
    ASSERT_GE(refresh, 0);
    EXPECT_EQ(fakes.log.calls.mid(refresh),
              (QStringList{"chart.updateSkyAndColor", "sliders.altitude 45", "sliders.azimuth 180",
                           "sliders.viewAngle 120"}));
}

TEST_F(PrefResetTest, ResetLeavesTheRunTimeSelectionAlone)
{
    PrefControl& prefs = launch();
    prefs.setFindIndex(200031);
    prefs.setFindName("M 31");
    prefs.setCurrentScope(3);
    prefs.setIsDebug();
    prefs.restoreDefaultPrefs();
    EXPECT_EQ(prefs.findIndex(), 200031);
    EXPECT_EQ(prefs.findName(), QStringLiteral("M 31"));
    EXPECT_EQ(prefs.currentScope(), 3);
    EXPECT_TRUE(prefs.isDebug());
    EXPECT_EQ(prefs.mythArray().size(), 90);
}

class PrefQuitTest : public PrefFixture {};

TEST_F(PrefQuitTest, QuitStoresTheViewSyncsAndDisconnectsConnectedDevicesInOrder)
{
    PrefControl& prefs = launch();
    prefs.setAltitude(30.0);
    prefs.setAzimuth(90.0);
    prefs.setViewAngle(60.0);
    fakes.mount.connected = true;
    fakes.canon.connected = true;
    fakes.dome.connected = false;
    fakes.ddw.connected = true;
    fakes.sg4.allSkyConnected = true;
    fakes.log.calls.clear();
    prefs.appQuit();
    EXPECT_EQ(fakes.log.calls,
              (QStringList{"mount.isConnected", "mount.disconnect", "canon.isCanonConnected",
                           "canon.canonDisconnect", "dome.isDomeConnect", "ddw.isDDWConnect", "ddw.ddwDisconnect",
                           "sg4.isSG4Connect", "sg4.isAllSkyConnect", "sg4.sg4Disconnect"}));
    QFile file(PrefStore::fileName());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("AltitudePref=30\n")) << text.toStdString();
    EXPECT_TRUE(text.contains("AzimuthPref=180\n"));
    EXPECT_TRUE(text.contains("ViewAnglePref=60\n"));
}

TEST_F(PrefQuitTest, GuiderAndAllSkyCameraAreDisconnectedOnce)
{
    PrefControl& prefs = launch();
    fakes.sg4.sg4Connected = true;
    fakes.sg4.allSkyConnected = true;
    fakes.log.calls.clear();
    prefs.appQuit();
    EXPECT_EQ(fakes.log.calls.count("sg4.sg4Disconnect"), 1);
    EXPECT_FALSE(fakes.log.calls.contains("mount.disconnect"));
}

TEST_F(PrefQuitTest, GammaIsRestoredOnlyWhenNightVisionIsOn)
{
    PrefControl& prefs = launch();
    fakes.log.calls.clear();
    prefs.appQuit();
    EXPECT_FALSE(fakes.log.calls.contains("gamma.restoreDefault"));

    prefs.setIsNightVision();
    fakes.log.calls.clear();
    prefs.appQuit();
    ASSERT_FALSE(fakes.log.calls.isEmpty());
    EXPECT_EQ(fakes.log.calls.first(), QStringLiteral("gamma.restoreDefault"));
}

TEST_F(PrefQuitTest, NoDisplayMeansNoGammaRestore)
{
    fakes.gamma.id = 0;
    PrefControl& prefs = launch();
    prefs.setIsNightVision();
    fakes.log.calls.clear();
    prefs.appQuit();
    EXPECT_FALSE(fakes.log.calls.contains("gamma.restoreDefault"));
}

TEST_F(PrefQuitTest, NextLaunchOpensAtTheStartupDirection)
{
    {
        PrefControl& prefs = launch();
        prefs.setAzimuth(90.0);
        prefs.appQuit();
    }
    const PrefControl& next = launch();
    EXPECT_EQ(next.azimuth(), 180.0);
}

TEST_F(PrefQuitTest, ApplicationQuitRunsTheShutDown)
{
    launch();
    fakes.mount.connected = true;
    fakes.log.calls.clear();
    ASSERT_TRUE(QMetaObject::invokeMethod(QCoreApplication::instance(), "aboutToQuit", Qt::DirectConnection));
    EXPECT_TRUE(fakes.log.calls.contains("mount.disconnect"));
}

}  // namespace
