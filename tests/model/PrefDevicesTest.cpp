#include "PrefFixture.h"

#include "model/prefs/links/DomeDevice.h"

#include <QRegularExpression>

namespace {

class PrefDevicesTest : public PrefFixture {
protected:
    // What one save operation changes in the file, key by key.
    template <class Operation>
    QMap<QString, QVariant> writtenBy(Operation operation)
    {
        const auto before = storedValues();
        operation();
        const auto after = storedValues();
        QMap<QString, QVariant> written;
        for (const QString& key : changedKeys(before, after))
            written.insert(key, after.value(key));
        return written;
    }
};

TEST_F(PrefDevicesTest, LaunchHandsTheStoredSettingsOverInOrder)
{
    launch();
    QStringList handOver = fakes.log.calls;
    handOver.removeIf([](const QString& call) { return call.startsWith("photo."); });
    const QStringList expected = {
        "sliders.arrowSpeed 51",
        "mount.setTimerRate 5",
        "mount.setGeminiBaud 43",
        "stamp.setDateColor #bfffffff",
        "stamp.setDateFont Geneva 9",
        "wifi.setWifiIPAddress 192.168.1.100",
        "wifi.setWifiPortNumber 4030",
        "optec.setOptecSpeed 0 1",
        "optec.setOptecSpeed 1 25",
        "optec.setOptecSpeed 2 125",
        "optec.setOptecSpeed 3 200",
        "robo.setRoboSlope 0",
        "jmi.setSlowAdj 1",
        "jmi.setFastAdj 1",
        "jmi.setIOAdj 1",
        "jmi.setJMIMaxValue 65535",
        "jmi.setJMIBacklash 0",
        "jmi.setIsJMIBacklash false",
        "moon.moonSetSlope 0",
        "moon.moonSetMax 65535",
        "fcusb.setFCUSBSpeed 125",
        "fcusb.setFCUSB2Speed 125",
        "fcusb.setFCUSBPWM 1",
        "fcusb.setFCUSB2PWM 1",
        "sg4.setSG4Baud 9600",
        "sg4.setExpSchedule 0",
        "sg4.setDarkSchedule 0",
        "sg4.setHeatOnSchedule 0",
        "sg4.setHeatOffSchedule 0",
        "dome.setDomeSetup 0 0 0 0 0 0 0 5 60",
        "dome.setDomeTicks 0 0",
        "dome.setBaudRate 2",
        "dome.setIsBoardSetup false",
        "dome.setIsDomeShutter true",
        "dome.setIsDomeBiDirection true",
        "dome.setDomeI5V1 false",
        "dome.setDomeI5V2 false",
        "dome.setDomeI5V3 false",
        "dome.setDomeI5V4 false",
        "domePanel.setDomeSetupText",
        "domePanel.setDomeCalText",
        "domePanel.setIsGEM false",
        "ddw.setDDWSetup 0 0 0 0 0 0 5 60",
        "ddwPanel.setIsGEM false",
        "ddwPanel.setDDWSetupText",
        "stamp.setDateFPS 30",
        "stamp.setDateMovieDict 0 1024",
        "stamp.setDatePosn 0 true true",
    };
    EXPECT_EQ(handOver, expected);
}

TEST_F(PrefDevicesTest, PhotoHorizonAdjustmentsGoOverSiteBySite)
{
    const float dir[5] = {1.5f, -2.0f, 0.0f, 0.0f, 3.25f};
    const quint16 degree[5] = {1, 2, 3, 4, 65535};
    seed({{"PhotoDirAdjPref", QByteArray(reinterpret_cast<const char*>(dir), 20)},
          {"PhotoDegreeAdjPref", QByteArray(reinterpret_cast<const char*>(degree), 10)},
          {"PhotoElevAdjPref", QByteArray(6, '\0')}});
    launch();
    const QStringList photo = fakes.log.calls.filter(QRegularExpression("^photo\\.(dir|degree) "));
    EXPECT_EQ(photo, (QStringList{"photo.dir 0 1.5", "photo.dir 1 -2", "photo.dir 2 0", "photo.dir 3 0",
                                  "photo.dir 4 3.25", "photo.degree 0 1", "photo.degree 1 2",
                                  "photo.degree 2 3", "photo.degree 3 4", "photo.degree 4 65535"}));
    EXPECT_EQ(fakes.photo.elev, (std::array<float, 5>{}));
}

TEST_F(PrefDevicesTest, GeminiRateSelectsItsMenuTagAndIsKept)
{
    const std::pair<int, int> cases[] = {{4800, 42}, {9600, 43}, {19200, 44}, {38400, 45}, {28800, 47}, {12345, 43}};
    for (const auto& [rate, tag] : cases)
        EXPECT_EQ(PrefControl::geminiBaudTag(rate), tag) << rate;

    seed({{"GeminiBaudPref", "19200"}});
    launch();
    EXPECT_TRUE(fakes.log.calls.contains("mount.setGeminiBaud 44"));
    EXPECT_EQ(storedValues().value("GeminiBaudPref").toString(), QStringLiteral("19200"));
}

TEST_F(PrefDevicesTest, StoredFocuserSettingsReachTheControllersAndStayStored)
{
    seed({{"JMISlowAdjPref", "0.8"}, {"JMIFastAdjPref", "1.2"}, {"JMIIOAdjPref", "1.5"},
          {"JMIBacklashValuePref", "40"}, {"JMIBacklashPref", "YES"}, {"MoonSlopePref", "2.5"},
          {"MoonMaxPref", "30000"}, {"RoboTempSlopePref", "-1.25"}});
    const auto before = storedValues();
    launch();
    EXPECT_EQ(fakes.jmi.slow, 0.8f);
    EXPECT_EQ(fakes.jmi.fast, 1.2f);
    EXPECT_EQ(fakes.jmi.io, 1.5f);
    EXPECT_EQ(fakes.jmi.backlash, 40);
    EXPECT_TRUE(fakes.jmi.isBacklash);
    EXPECT_EQ(fakes.moon.slope, 2.5f);
    EXPECT_EQ(fakes.moon.maximum, 30000);
    EXPECT_EQ(fakes.robo.slope, -1.25f);
    EXPECT_EQ(storedValues(), before);
}

TEST_F(PrefDevicesTest, RefusedJMIBacklashSurvivesInTheStore)
{
    seed({{"JMIMaxValuePref", "1000"}, {"JMIBacklashValuePref", "300"}, {"JMIBacklashPref", "YES"}});
    launch();
    EXPECT_TRUE(fakes.log.calls.contains("jmi.beep"));
    EXPECT_EQ(fakes.jmi.backlash, 0);
    EXPECT_EQ(storedValues().value("JMIBacklashValuePref").toString(), QStringLiteral("300"));
    EXPECT_EQ(storedValues().value("JMIBacklashPref").toString(), QStringLiteral("YES"));
}

TEST_F(PrefDevicesTest, OversizedStoredValuesAreClampedNotCut)
{
    seed({{"FCUSBSpeedPref", "300"}, {"OptecFastSpeedPref", "70000"}, {"DomeOverPref", "-40000"}});
    launch();
    EXPECT_EQ(fakes.fcusb.speed, 255);
    EXPECT_EQ(fakes.optec.speeds[3], 65535);
    EXPECT_EQ(fakes.dome.overshoot, -32768);
}

TEST_F(PrefDevicesTest, UncalibratedDomeHasNoTickAngles)
{
    launch();
    EXPECT_EQ(fakes.dome.ticks, 0u);
    EXPECT_FALSE(domeTickAngles(0, 0).has_value());
    EXPECT_FALSE(domeTickAngles(0, -5).has_value());
    const auto angles = domeTickAngles(720, -5);
    ASSERT_TRUE(angles.has_value());
    EXPECT_DOUBLE_EQ(angles->overshoot, -2.5);
    EXPECT_DOUBLE_EQ(angles->tolerance, 1.0);
    EXPECT_FALSE(storedValues().contains("DomeTicksPref"));
}

TEST_F(PrefDevicesTest, StoredDomeSettingsReachBothDomes)
{
    seed({{"DomeXPref", "0.25"}, {"DomerPref", "1.75"}, {"DomeRPref", "2.5"}, {"DomeHomePref", "12.5"},
          {"DomeTicksPref", "3600"}, {"DomeOverPref", "-5"}, {"DomeGEMPref", "YES"}, {"DomeI5V3Pref", "YES"}});
    launch();
    EXPECT_EQ(fakes.dome.x, 0.25);
    EXPECT_EQ(fakes.dome.smallR, 1.75);
    EXPECT_EQ(fakes.dome.bigR, 2.5);
    EXPECT_EQ(fakes.dome.home, 12.5f);
    EXPECT_EQ(fakes.dome.ticks, 3600u);
    EXPECT_EQ(fakes.dome.overshoot, -5);
    EXPECT_TRUE(fakes.dome.outputs[2]);
    EXPECT_EQ(fakes.ddw.smallR, 1.75);
    EXPECT_EQ(fakes.ddw.delta, 5.0f);
    EXPECT_TRUE(fakes.domePanel.gem);
    EXPECT_TRUE(fakes.ddwPanel.gem);
}

TEST_F(PrefDevicesTest, EachFocuserSaveWritesExactlyItsKeys)
{
    PrefControl& prefs = launch();
    fakes.optec.speeds = {2, 30, 150, 250};
    EXPECT_EQ(writtenBy([&] { prefs.saveOptecPrefs(); }),
              (QMap<QString, QVariant>{{"OptecFineSpeedPref", "2"}, {"OptecSlowSpeedPref", "30"},
                                       {"OptecMedSpeedPref", "150"}, {"OptecFastSpeedPref", "250"}}));
    fakes.robo.slope = 0.5f;
    EXPECT_EQ(writtenBy([&] { prefs.saveRoboSlope(); }),
              (QMap<QString, QVariant>{{"RoboTempSlopePref", "0.5"}}));
    fakes.jmi.isBacklash = true;
    fakes.jmi.backlash = 0;
    fakes.jmi.slow = 0.8f;
    EXPECT_EQ(writtenBy([&] { prefs.saveJMIPrefs(); }),
              (QMap<QString, QVariant>{{"JMIMaxValuePref", "65535"}, {"JMIBacklashValuePref", "0"},
                                       {"JMIBacklashPref", "YES"}, {"JMISlowAdjPref", "0.8"},
                                       {"JMIFastAdjPref", "1"}, {"JMIIOAdjPref", "1"}}));
    fakes.jmi.isBacklash = false;
    fakes.jmi.backlash = 300;
    const auto jmi = writtenBy([&] { prefs.saveJMIPrefs(); });
    EXPECT_EQ(jmi.value("JMIBacklashPref").toString(), QStringLiteral("NO"));
    EXPECT_EQ(jmi.value("JMIBacklashValuePref").toString(), QStringLiteral("300"));
    fakes.moon.maximum = 20000;
    fakes.moon.slope = -0.75f;
    EXPECT_EQ(writtenBy([&] { prefs.saveMoonPrefs(); }),
              (QMap<QString, QVariant>{{"MoonMaxPref", "20000"}, {"MoonSlopePref", "-0.75"}}));
    fakes.fcusb.speed = 255;
    fakes.fcusb.pwm2 = 4000;
    EXPECT_EQ(writtenBy([&] { prefs.saveFCUSBPrefs(); }),
              (QMap<QString, QVariant>{{"FCUSBSpeedPref", "255"}, {"FCUSB2SpeedPref", "125"},
                                       {"FCUSBPWMPref", "1"}, {"FCUSB2PWMPref", "4000"}}));
}

TEST_F(PrefDevicesTest, DomeSaveTakesTheDomeWhosePanelIsOnScreen)
{
    PrefControl& prefs = launch();
    EXPECT_TRUE(writtenBy([&] { prefs.saveDomePrefs(); }).isEmpty());

    fakes.ddwPanel.visible = true;
    fakes.ddwPanel.gem = true;
    fakes.ddw.x = 1.0, fakes.ddw.y = 2.0, fakes.ddw.z = 3.0, fakes.ddw.bigR = 4.0, fakes.ddw.smallR = 0.1;
    fakes.ddw.flip = 1.0, fakes.ddw.delta = 2.5f, fakes.ddw.frequency = 30.0f;
    EXPECT_EQ(writtenBy([&] { prefs.saveDomePrefs(); }),
              (QMap<QString, QVariant>{{"DomeXPref", "1"}, {"DomeYPref", "2"}, {"DomeZPref", "3"},
                                       {"DomeRPref", "4"}, {"DomerPref", "0.1"}, {"DomeFlipPref", "1"},
                                       {"DomeDeltaPref", "2.5"}, {"DomeFreqPref", "30"},
                                       {"DomeGEMPref", "YES"}}));

}

TEST_F(PrefDevicesTest, DomeSaveOfTheGenericDomeWritesItsGeometryAndOutputs)
{
    PrefControl& prefs = launch();
    fakes.domePanel.visible = true;
    fakes.ddwPanel.visible = true;  // the generic dome's panel wins
    fakes.dome.x = -1.5, fakes.dome.home = 90.0f, fakes.dome.outputs = {true, false, true, false};
    const auto dome = writtenBy([&] { prefs.saveDomePrefs(); });
    EXPECT_EQ(dome.keys(), (QStringList{"DomeDeltaPref", "DomeFlipPref", "DomeFreqPref", "DomeGEMPref",
                                        "DomeHomePref", "DomeI5V1Pref", "DomeI5V2Pref", "DomeI5V3Pref",
                                        "DomeI5V4Pref", "DomeRPref", "DomeXPref", "DomeYPref", "DomeZPref",
                                        "DomerPref"}));
    EXPECT_EQ(dome.value("DomeXPref").toString(), QStringLiteral("-1.5"));
    EXPECT_EQ(dome.value("DomeHomePref").toString(), QStringLiteral("90"));
    EXPECT_EQ(dome.value("DomeDeltaPref").toString(), QStringLiteral("5"));
    EXPECT_EQ(dome.value("DomeGEMPref").toString(), QStringLiteral("NO"));
    EXPECT_EQ(dome.value("DomeI5V1Pref").toString(), QStringLiteral("YES"));
    EXPECT_EQ(dome.value("DomeI5V2Pref").toString(), QStringLiteral("NO"));
}

TEST_F(PrefDevicesTest, BoardTicksWifiAndSchedulesWriteExactlyTheirKeys)
{
    PrefControl& prefs = launch();
    fakes.dome.boardSetup = true;
    fakes.dome.baud = 4;
    EXPECT_EQ(writtenBy([&] { prefs.saveBoardPrefs(); }),
              (QMap<QString, QVariant>{{"DomeSetupPref", "YES"}, {"DomeBaudPref", "4"}}));
    fakes.dome.ticks = 3600;
    fakes.dome.overshoot = -5;
    EXPECT_EQ(writtenBy([&] { prefs.saveTicksPrefs(); }),
              (QMap<QString, QVariant>{{"DomeTicksPref", "3600"}, {"DomeOverPref", "-5"}}));
    fakes.wifi.address = "10.0.0.2";
    fakes.wifi.port = "23";
    EXPECT_EQ(writtenBy([&] { prefs.saveWifiPrefs(); }),
              (QMap<QString, QVariant>{{"WiFiIPPref", "10.0.0.2"}, {"WiFiPortPref", "23"}}));
    EXPECT_EQ(writtenBy([&] { prefs.setGeminiBaudPref(38400); }),
              (QMap<QString, QVariant>{{"GeminiBaudPref", "38400"}}));
    EXPECT_EQ(writtenBy([&] { prefs.setSG4BaudPref(115200); }),
              (QMap<QString, QVariant>{{"SG4BaudPref", "115200"}}));
    EXPECT_EQ(writtenBy([&] { prefs.setExpSchedulePref(90.5f); }),
              (QMap<QString, QVariant>{{"AllSkyExpShedulePref", "90.5"}}));
    EXPECT_EQ(writtenBy([&] { prefs.setDarkSchedulePref(600.0f); }),
              (QMap<QString, QVariant>{{"AllSkyDarkShedulePref", "600"}}));
    EXPECT_EQ(writtenBy([&] { prefs.setHeatOnSchedulePref(60.0f); }),
              (QMap<QString, QVariant>{{"AllSkyHeatOnPref", "60"}}));
    EXPECT_EQ(writtenBy([&] { prefs.setHeatOffSchedulePref(120.0f); }),
              (QMap<QString, QVariant>{{"AllSkyHeatOffPref", "120"}}));
}

TEST_F(PrefDevicesTest, ControllerStoresAfterLaunchAreWritten)
{
    launch();
    fakes.jmi.setJMIBacklash(100);
    EXPECT_EQ(storedValues().value("JMIBacklashValuePref").toString(), QStringLiteral("100"));
    fakes.moon.moonSetMax(1234);
    EXPECT_EQ(storedValues().value("MoonMaxPref").toString(), QStringLiteral("1234"));
}

}  // namespace
