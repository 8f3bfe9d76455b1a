#include "PrefFixture.h"

#include "model/settings/links/DomeDevice.h"

#include <QRegularExpression>

#include <functional>
#include <limits>

namespace {

using Written = QMap<QString, QVariant>;

class PrefDevicesTest : public PrefFixture {};

TEST_F(PrefDevicesTest, PhotoHorizonAdjustmentsGoOverSiteBySite)
{
    const float dir[5] = {1.5f, -2.0f, 0.0f, 0.0f, 3.25f};
    const quint16 degree[5] = {1, 2, 3, 4, 65535};
    seed({{"PhotoDirAdjPref", QByteArray(reinterpret_cast<const char*>(dir), 20)},
          {"PhotoDegreeAdjPref", QByteArray(reinterpret_cast<const char*>(degree), 10)},
          {"PhotoElevAdjPref", QByteArray(6, '\0')}});
    launch();
    EXPECT_EQ(fakes.log.calls.filter(QRegularExpression("^photo\\.(dir|degree) ")),
              (QStringList{"photo.dir 0 1.5", "photo.dir 1 -2", "photo.dir 2 0", "photo.dir 3 0", "photo.dir 4 3.25",
                           "photo.degree 0 1", "photo.degree 1 2", "photo.degree 2 3", "photo.degree 3 4",
                           "photo.degree 4 65535"}));
    EXPECT_EQ(fakes.photo.elev, (std::array<float, 5>{}));
}

TEST_F(PrefDevicesTest, PhotoHorizonAdjustmentsOutOfRangeOrNaNReadAsZero)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float dir[5] = {180.0f, -180.5f, nan, std::numeric_limits<float>::infinity(), -3.0f};
    const float bright[5] = {10.0f, 10.5f, 0.0f, 0.0f, nan};
    seed({{"PhotoDirAdjPref", QByteArray(reinterpret_cast<const char*>(dir), 20)},
          {"PhotoBrightAdjPref", QByteArray(reinterpret_cast<const char*>(bright), 20)}});
    launch();
    EXPECT_EQ(fakes.photo.dir, (std::array<float, 5>{180.0f, 0.0f, 0.0f, 0.0f, -3.0f}));
    EXPECT_EQ(fakes.photo.bright, (std::array<float, 5>{10.0f, 0.0f, 0.0f, 0.0f, 0.0f}));
    EXPECT_EQ(debugLines.filter("PhotoDirAdjPref").size(), 1);
    EXPECT_EQ(debugLines.filter("PhotoBrightAdjPref").size(), 1);
}

TEST_F(PrefDevicesTest, GeminiRateSelectsItsMenuTagAndIsKept)
{
    const std::pair<int, int> cases[] = {{4800, 42}, {9600, 43}, {19200, 44}, {38400, 45}, {28800, 47}, {12345, 43}};
    for (const auto& [rate, tag] : cases)
        EXPECT_EQ(PrefControl::geminiBaudTag(rate), tag) << rate;
    seed({{"GeminiBaudPref", "19200"}});
    launch();
    EXPECT_TRUE(fakes.log.calls.contains("mount.setGeminiBaud 44"));
    EXPECT_EQ(stored("GeminiBaudPref"), QStringLiteral("19200"));
}

TEST_F(PrefDevicesTest, StoredSettingsReachTheControllersAndStayStored)
{
    seed({{"JMISlowAdjPref", "0.75"}, {"JMIFastAdjPref", "1.25"}, {"JMIIOAdjPref", "1.5"},
          {"JMIBacklashValuePref", "40"}, {"JMIBacklashPref", "YES"}, {"MoonSlopePref", "2.5"},
          {"MoonMaxPref", "30000"}, {"RoboTempSlopePref", "-1.25"}, {"DomeXPref", "0.25"}, {"DomerPref", "1.75"},
          {"DomeRPref", "2.5"}, {"DomeHomePref", "12.5"}, {"DomeTicksPref", "3600"}, {"DomeGEMPref", "YES"},
          {"DomeI5V3Pref", "YES"}, {"FCUSBSpeedPref", "300"}, {"OptecFastSpeedPref", "70000"},
          {"DomeOverPref", "-40000"},  // the last three beyond their controllers' ranges: clamped, not cut
          {"SG4BaudPref", "19200"}, {"AllSkyHeatOnPref", "60"}, {"AllSkyFPSDatePref", "12.5"},
          {"WiFiIPPref", "10.0.0.2"}, {"ScopePollRatePref", "2.5"}, {"ArrowSpeedPref", "20"}});
    EXPECT_TRUE(writtenBy([&] { launch(); }).isEmpty());
    for (const char* call : {"jmi.setSlowAdj 0.75", "jmi.setFastAdj 1.25", "jmi.setIOAdj 1.5", "jmi.setJMIBacklash 40",
                             "jmi.setIsJMIBacklash true", "moon.moonSetSlope 2.5", "moon.moonSetMax 30000",
                             "robo.setRoboSlope -1.25", "dome.setDomeSetup 0.25 0 0 2.5 1.75 0 12.5 5 60",
                             "dome.setDomeI5V3 true", "domePanel.setIsGEM true", "ddwPanel.setIsGEM true",
                             "ddw.setDDWSetup 0.25 0 0 2.5 1.75 0 5 60", "fcusb.setFCUSBSpeed 255",
                             "optec.setOptecSpeed 3 65535", "dome.setDomeTicks 3600 -32768", "sg4.setSG4Baud 19200",
                             "sg4.setHeatOnSchedule 60", "stamp.setDateFPS 12.5", "wifi.setWifiIPAddress 10.0.0.2",
                             "mount.setTimerRate 2.5", "sliders.arrowSpeed 20"})
        EXPECT_TRUE(fakes.log.calls.contains(call)) << call;
}

TEST_F(PrefDevicesTest, RefusedJMIBacklashSurvivesInTheStore)
{
    seed({{"JMIMaxValuePref", "1000"}, {"JMIBacklashValuePref", "300"}, {"JMIBacklashPref", "YES"}});
    launch();
    EXPECT_TRUE(fakes.log.calls.contains("jmi.beep"));
    EXPECT_EQ(fakes.jmi.backlash, 0);
    EXPECT_EQ(stored("JMIBacklashValuePref"), QStringLiteral("300"));
    EXPECT_EQ(stored("JMIBacklashPref"), QStringLiteral("YES"));
    fakes.jmi.setJMIBacklash(100);  // after the launch read, the controller's own store goes through
    EXPECT_EQ(stored("JMIBacklashValuePref"), QStringLiteral("100"));
    fakes.moon.moonSetMax(1234);
    EXPECT_EQ(stored("MoonMaxPref"), QStringLiteral("1234"));
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
}

TEST_F(PrefDevicesTest, EachSaveWritesExactlyItsKeys)
{
    PrefControl& prefs = launch();
    auto& f = fakes;
    const std::pair<std::function<void()>, Written> cases[] = {
        {[&] { f.optec.speeds = {2, 30, 150, 250}; prefs.saveOptecPrefs(); },
         {{"OptecFineSpeedPref", "2"}, {"OptecSlowSpeedPref", "30"}, {"OptecMedSpeedPref", "150"},
          {"OptecFastSpeedPref", "250"}}},
        {[&] { f.jmi.isBacklash = true; f.jmi.slow = 0.8f; prefs.saveJMIPrefs(); },
         {{"JMIMaxValuePref", "65535"}, {"JMIBacklashValuePref", "0"}, {"JMIBacklashPref", "YES"},
          {"JMISlowAdjPref", "0.8"}, {"JMIFastAdjPref", "1"}, {"JMIIOAdjPref", "1"}}},
        {[&] { f.jmi.isBacklash = false; f.jmi.backlash = 300; prefs.saveJMIPrefs(); },
         {{"JMIBacklashValuePref", "300"}, {"JMIBacklashPref", "NO"}}},
        {[&] { f.fcusb.speed = 255; f.fcusb.pwm2 = 4000; prefs.saveFCUSBPrefs(); },
         {{"FCUSBSpeedPref", "255"}, {"FCUSB2SpeedPref", "125"}, {"FCUSBPWMPref", "1"}, {"FCUSB2PWMPref", "4000"}}},
        {[&] { f.dome.ticks = 3600; f.dome.overshoot = -5; prefs.saveTicksPrefs(); },
         {{"DomeTicksPref", "3600"}, {"DomeOverPref", "-5"}}},
        {[&] { prefs.setExpSchedulePref(90.5f); }, {{"AllSkyExpShedulePref", "90.5"}}},
    };
    for (const auto& [save, written] : cases) {
        SCOPED_TRACE(written.firstKey().toStdString());
        EXPECT_EQ(writtenBy(save), written);
    }
}

TEST_F(PrefDevicesTest, DomeSaveTakesTheDomeWhosePanelIsOnScreen)
{
    PrefControl& prefs = launch();
    EXPECT_TRUE(writtenBy([&] { prefs.saveDomePrefs(); }).isEmpty());

    fakes.ddwPanel.visible = true;
    fakes.ddwPanel.gem = true;
    fakes.ddw.geometry = {1.0, 2.0, 3.0, 4.0, 0.1, 1.0};
    fakes.ddw.delta = 2.5f, fakes.ddw.frequency = 30.0f;
    EXPECT_EQ(writtenBy([&] { prefs.saveDomePrefs(); }),
              (Written{{"DomeXPref", "1"}, {"DomeYPref", "2"}, {"DomeZPref", "3"}, {"DomeRPref", "4"},
                       {"DomerPref", "0.1"}, {"DomeFlipPref", "1"}, {"DomeDeltaPref", "2.5"}, {"DomeFreqPref", "30"},
                       {"DomeGEMPref", "YES"}}));

    fakes.domePanel.visible = true;  // the generic dome's panel wins
    fakes.dome.geometry = {-1.5, 5.0, 6.0, 7.0, 0.2, 0.0};
    fakes.dome.home = 90.0f, fakes.dome.delta = 3.0f, fakes.dome.frequency = 20.0f;
    fakes.dome.outputs = {true, false, false, false};
    EXPECT_EQ(writtenBy([&] { prefs.saveDomePrefs(); }),
              (Written{{"DomeXPref", "-1.5"}, {"DomeYPref", "5"}, {"DomeZPref", "6"}, {"DomeRPref", "7"},
                       {"DomerPref", "0.2"}, {"DomeFlipPref", "0"}, {"DomeHomePref", "90"}, {"DomeDeltaPref", "3"},
                       {"DomeFreqPref", "20"}, {"DomeGEMPref", "NO"}, {"DomeI5V1Pref", "YES"}, {"DomeI5V2Pref", "NO"},
                       {"DomeI5V3Pref", "NO"}, {"DomeI5V4Pref", "NO"}}));
}

}  // namespace
