#include "camera/canon/CanonControl.h"
#include "camera/canon/Gphoto2CanonSdk.h"
#include "camera/canon/Gphoto2Values.h"
#include "model/TempSettings.h"
#include "model/settings/PrefControl.h"
#include "platform/DisplayGamma.h"
#include "support/RecordingAlertPresenter.h"
#include "support/canon/ConnectOutcome.h"

#include <QTemporaryDir>

using namespace CanonIds;

TEST(Gphoto2Values, ShutterSpeedsMapOntoTheExposureTable)
{
    EXPECT_EQ(Gphoto2Values::tvCode("bulb"), kTvBulb);
    EXPECT_EQ(Gphoto2Values::tvCode("Bulb"), kTvBulb);
    EXPECT_EQ(Gphoto2Values::tvCode("30"), 0x10u);
    EXPECT_EQ(Gphoto2Values::tvCode("1/800"), 0x85u);
    EXPECT_EQ(Gphoto2Values::tvCode("1/60"), 0x68u) << "the table's 0.017 s is 1/60 rounded";
    EXPECT_EQ(Gphoto2Values::tvCode("0.5"), 0x40u);
    EXPECT_EQ(Gphoto2Values::tvCode("1/50"), std::nullopt);
    EXPECT_EQ(Gphoto2Values::tvCode("1/0"), std::nullopt);
    EXPECT_EQ(Gphoto2Values::tvCode("fast"), std::nullopt);
    const QStringList choices{"bulb", "30", "25", "1/4", "1/5", "1/800", "1/4000"};
    EXPECT_EQ(Gphoto2Values::tvChoice(0x48, choices), "1/4");
    EXPECT_EQ(Gphoto2Values::tvChoice(kTvBulb, choices), "bulb");
    EXPECT_TRUE(Gphoto2Values::tvChoice(0x5D, choices).isEmpty());
}

TEST(Gphoto2Values, ModesIsoAndBatteryTexts)
{
    EXPECT_EQ(Gphoto2Values::isoCode("800"), 0x60u);
    EXPECT_EQ(Gphoto2Values::isoCode("Auto"), 0u);
    EXPECT_EQ(Gphoto2Values::isoCode("H1"), std::nullopt);
    EXPECT_EQ(Gphoto2Values::aeMode("Manual"), kAEManual);
    EXPECT_EQ(Gphoto2Values::aeMode("Bulb"), kAEBulb);
    EXPECT_EQ(Gphoto2Values::aeMode("AV"), 2u);
    EXPECT_EQ(Gphoto2Values::aeMode("Landscape"), std::nullopt);
    EXPECT_EQ(Gphoto2Values::batteryLevel("50%"), 50u);
    EXPECT_EQ(Gphoto2Values::batteryLevel("Full"), 100u);
    EXPECT_EQ(Gphoto2Values::batteryLevel("AC"), kBatteryAC);
    EXPECT_EQ(Gphoto2Values::batteryLevel("unknown"), std::nullopt);
    EXPECT_EQ(Gphoto2Values::choiceHolding({"Internal RAM", "Memory card"}, "card"), "Memory card");
}

class Gphoto2CanonSdkTest : public TempSettings {};

// libgphoto2 takes its port drivers from IOLIBS: an empty folder gives it no
// port to look at, so no real camera on this machine is ever opened.
TEST_F(Gphoto2CanonSdkTest, WithoutACameraTheConnectionFailsCleanly)
{
    QTemporaryDir noDrivers;
    ASSERT_TRUE(noDrivers.isValid());
    qputenv("IOLIBS", noDrivers.path().toLocal8Bit());
    qputenv("CAMLIBS", noDrivers.path().toLocal8Bit());
    ScopedAlertRecorder alerts;
    const std::unique_ptr<DisplayGamma> gamma = DisplayGamma::create();
    PrefControl prefs(*gamma);
    Gphoto2CanonSdk sdk;
    CanonControl control(sdk, prefs, DebugWriter());
    std::optional<ConnectOutcome> outcome = ConnectOutcome::of(control);
    ASSERT_TRUE(outcome);
    EXPECT_FALSE(outcome->connected);
    EXPECT_TRUE(outcome->failure.startsWith("The cameras could not be listed. (")) << outcome->failure.toStdString()
        << ": libgphoto2's own words follow";
    EXPECT_FALSE(control.isCanonConnected());
    EXPECT_FALSE(control.isSDKInit());
    EXPECT_TRUE(alerts.alerts.empty());
    outcome = ConnectOutcome::of(control);
    ASSERT_TRUE(outcome);
    EXPECT_FALSE(outcome->connected) << "and again";
}

TEST(Gphoto2Values, PropertyChangeTextsNameTheSettingToReRead)
{
    EXPECT_EQ(Gphoto2Values::changedConfig("PTP Property d102 changed, \"shutterspeed\" to \"30\""), "shutterspeed");
    EXPECT_EQ(Gphoto2Values::changedConfig("PTP Property d103 changed"), "iso");
    EXPECT_EQ(Gphoto2Values::changedConfig("PTP Property D105 changed"), "autoexposuremode");
    EXPECT_TRUE(Gphoto2Values::changedConfig("PTP Property d1d3 changed").isEmpty()) << "not followed";
    EXPECT_TRUE(Gphoto2Values::changedConfig("Button 1 pressed").isEmpty());
    EXPECT_TRUE(Gphoto2Values::changedConfig("PTP Property zz02 changed").isEmpty());

    EXPECT_EQ(Gphoto2Values::changedProperty("iso"), kPropISOSpeed);
    EXPECT_EQ(Gphoto2Values::changedProperty("whitebalance"), kPropWhiteBalance);
    EXPECT_EQ(Gphoto2Values::changedProperty("autoexposuremodedial"), kPropTv) << "the dial decides the bulb state";
    EXPECT_EQ(Gphoto2Values::changedProperty("capturetarget"), std::nullopt);
    EXPECT_EQ(Gphoto2Values::changedProperty(""), std::nullopt);
}
