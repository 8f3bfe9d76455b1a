#include "CanonFixture.h"

#include <QSignalSpy>
#include <QtEndian>

using namespace CanonIds;
using Call = SimulatedCanonSdk::Call;

namespace {

class CanonConnectTest : public CanonFixture {};

QByteArray focusInfo(std::uint32_t width, std::uint32_t height)
{
    QByteArray info(kFocusInfoSize, '\0');
    qToLittleEndian(width, info.data() + kFocusInfoWidthOffset);
    qToLittleEndian(height, info.data() + kFocusInfoHeightOffset);
    return info;
}

}  // namespace

TEST_F(CanonConnectTest, AConnectionPreparesTheCameraAndShowsThePanel)
{
    QSignalSpy shown(control.get(), &CanonControl::showPanelRequested);
    ASSERT_TRUE(connect());
    EXPECT_TRUE(control->isCanonConnected());
    EXPECT_TRUE(sdk.isSessionOpen());
    EXPECT_EQ(shown.count(), 1);
    EXPECT_EQ(sdk.uint32Value(kPropSaveTo), kSaveToHost);
    EXPECT_EQ(sdk.uint32Value(kPropWhiteBalance), kWhiteBalanceColorTemp);
    EXPECT_EQ(sdk.uint32Value(kPropColorTemperature), 5200u);
    EXPECT_EQ(sdk.uint32Value(kPropEvfColorTemperature), 5200u);
    EXPECT_TRUE(control->isLiveViewCapable());
    EXPECT_EQ(control->panel().isoTitles, QStringList({"100", "200", "400", "800", "1600", "3200"}));
    EXPECT_EQ(control->panel().isoSelected, 3);
    EXPECT_EQ(control->canonISO(), 800u);
    EXPECT_EQ(control->panel().title, "Canon EOS 550D");
    EXPECT_TRUE(waitFor([this] { return control->panel().batteryLevel == 8; })) << "read once connected";
    EXPECT_TRUE(alerts.alerts.empty());

    control->canonDisconnect();
    EXPECT_FALSE(control->isCanonConnected());
    EXPECT_FALSE(sdk.isInitialized());
    EXPECT_FALSE(sdk.isSessionOpen());
}

TEST_F(CanonConnectTest, SessionAndListFailuresLeaveTheSdkTerminated)
{
    sdk.failCall(Call::OpenSession, kErrNotSupported);
    EXPECT_FALSE(connect());
    EXPECT_EQ(alertTitles(), QStringList({"This model of camera is not supported."}));
    EXPECT_FALSE(sdk.isInitialized());
    EXPECT_FALSE(control->isSDKInit());
    EXPECT_FALSE(sdk.hasCamera());

    alerts.alerts.clear();
    sdk.failCall(Call::OpenSession, kErrDeviceBusy);
    EXPECT_FALSE(connect());
    EXPECT_TRUE(alerts.alerts.empty()) << "other session errors are only logged";
    EXPECT_TRUE(logText().contains("EdsOpenSession error: 0x0081."));
    EXPECT_FALSE(sdk.isInitialized());

    sdk.setCameraCount(0);
    EXPECT_FALSE(connect());
    EXPECT_TRUE(logText().contains("EdsGetChildCount: No cameras found."));
    EXPECT_FALSE(sdk.isInitialized());

    sdk.setCameraCount(1);
    EXPECT_TRUE(connect()) << "a later connection starts again from the beginning";
}

TEST_F(CanonConnectTest, ModeDialOffManualAndBulbEndsTheConnection)
{
    sdk.setUInt32Value(kPropAEMode, 0, 2);
    EXPECT_FALSE(connect());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "AE mode is not set to Manual or Bulb.");
    EXPECT_EQ(alerts.alerts[0].message, "You need to set your camera to manual or Bulb mode before you connect.");
    EXPECT_FALSE(sdk.isSessionOpen());
    EXPECT_FALSE(sdk.hasCamera());
    EXPECT_FALSE(sdk.isInitialized());
    EXPECT_FALSE(control->isCanonConnected());
}

TEST_F(CanonConnectTest, TheCameraNameDecidesSizeAndFamilyWithoutFocusInformation)
{
    struct Case {
        const char* name;
        double width;
        double height;
        bool is60D;
        bool isT1i;
        bool is7D;
        bool supported;
    };
    const Case cases[] = {
        {"Canon EOS 5D Mark III", 5760, 3840, true, false, false, true},
        {"Canon EOS Rebel T3i", 5184, 3456, false, false, false, true},
        {"Canon EOS 60Da", 5184, 3456, false, false, false, true},
        {"Canon EOS 7D", 5184, 3456, false, false, true, true},
        {"Canon EOS 600D", 5184, 3456, false, true, false, true},
        {"Canon EOS M", 5184, 3456, false, false, false, true},
        // Not taken for "M" because of the "M" of "Mark".
        {"Canon EOS 5D Mark IV", 3888, 2592, false, false, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        alerts.alerts.clear();
        sdk.setDescription(c.name);
        ASSERT_TRUE(connect());
        EXPECT_EQ(control->width(), c.width);
        EXPECT_EQ(control->height(), c.height);
        EXPECT_EQ(control->is60D(), c.is60D);
        EXPECT_EQ(control->isT1i(), c.isT1i);
        EXPECT_EQ(control->is7D(), c.is7D);
        const bool warned = alertTitles().contains("Unknown Camera");
        EXPECT_EQ(warned, !c.supported);
        if (warned) {
            EXPECT_EQ(alerts.alerts.back().message, "This camera may not be supported.");
        }
        control->canonDisconnect();
    }
}

TEST_F(CanonConnectTest, FocusInformationGivesTheSizeAndTheNameOnlyTheFamily)
{
    sdk.setDescription("Canon EOS 60D");
    sdk.setValue(kPropFocusInfo, 0, focusInfo(5184, 3456));
    ASSERT_TRUE(connect());
    EXPECT_EQ(control->width(), 5184);
    EXPECT_TRUE(control->is60D());
    control->canonDisconnect();

    sdk.setDescription("Canon EOS R100");
    sdk.setValue(kPropFocusInfo, 0, focusInfo(6000, 4000));
    ASSERT_TRUE(connect());
    EXPECT_EQ(control->width(), 6000);
    EXPECT_EQ(control->height(), 4000);
    EXPECT_FALSE(alertTitles().contains("Unknown Camera")) << "a camera that tells its size is supported";
    control->canonDisconnect();

    sdk.setValue(kPropFocusInfo, 0, focusInfo(320, 200));
    ASSERT_TRUE(connect());
    EXPECT_EQ(control->width(), 3888) << "a rectangle narrower than 500 is not used";
}

TEST_F(CanonConnectTest, TheStoredExposureChoiceIsTakenUp)
{
    ASSERT_TRUE(connect(0));
    EXPECT_TRUE(control->isCanonBulb());
    EXPECT_EQ(control->canonExpTime(), 3540);
    EXPECT_EQ(control->expCode(), kTvBulb);
    EXPECT_EQ(control->panel().expValue, "1 Hr");
    EXPECT_EQ(sdk.uint32Value(kPropTv), kTvBulb);
    control->canonDisconnect();

    ASSERT_TRUE(connect(32));
    EXPECT_FALSE(control->isCanonBulb());
    EXPECT_EQ(control->expCode(), 0x85u);
    EXPECT_EQ(sdk.uint32Value(kPropTv), 0x85u);
}

TEST_F(CanonConnectTest, MirrorLockupIsSwitchedOffOrTheConnectionFails)
{
    sdk.setUInt32Value(kPropCustomFunction, kParamMirrorLockup, 1);
    ASSERT_TRUE(connect());
    EXPECT_EQ(sdk.uint32Value(kPropCustomFunction, kParamMirrorLockup), 0u);
    EXPECT_TRUE(alerts.alerts.empty());
    control->canonDisconnect();

    sdk.setUInt32Value(kPropCustomFunction, kParamMirrorLockup, 1);
    sdk.failWrite(kPropCustomFunction, kParamMirrorLockup, kErrDeviceBusy);
    EXPECT_FALSE(connect());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Mirror lockup is enabled.");
    EXPECT_EQ(alerts.alerts[0].message, "Mirror lockup must be disabled before connection.");
    EXPECT_FALSE(sdk.isSessionOpen());
    EXPECT_FALSE(sdk.isInitialized());
}

TEST_F(CanonConnectTest, IsoDescriptorsAreReadSafely)
{
    sdk.setISODesc({});
    ASSERT_TRUE(connect());
    EXPECT_EQ(control->numMaxISO(), 0u) << "an empty descriptor has no choices";
    EXPECT_TRUE(control->panel().isoTitles.isEmpty());
    control->panel().isoSelected = 0;
    control->canonAction(CanonControl::kTagISO);
    EXPECT_TRUE(sdk.writesTo(kPropISOSpeed).empty()) << "no choice, nothing written";
    control->canonDisconnect();

    std::vector<std::int32_t> many(40, 0x48);
    many[5] = 0x33;
    sdk.setISODesc(many);
    ASSERT_TRUE(connect());
    EXPECT_EQ(control->numMaxISO(), 26u);
    EXPECT_EQ(control->panel().isoTitles.size(), 26);
    EXPECT_EQ(control->panel().isoTitles[4], "Code 0x33");
}

TEST_F(CanonConnectTest, SixtyDFamilyChecksTheModeDialAgainstTheChoice)
{
    sdk.setDescription("Canon EOS 60D");
    sdk.setValue(kPropFocusInfo, 0, focusInfo(5184, 3456));
    ASSERT_TRUE(connect(14));
    EXPECT_EQ(alertTitles(), QStringList({"Set the mode dial to Bulb for long (>30s) exposures."}));
    EXPECT_FALSE(control->panel().expButtonEnabled);
    control->canonDisconnect();

    alerts.alerts.clear();
    sdk.setUInt32Value(kPropAEMode, 0, kAEBulb);
    ASSERT_TRUE(connect(24));
    EXPECT_EQ(alertTitles(), QStringList({"Set the mode dial to Manual for short (<1s) exposures."}));
}

TEST_F(CanonConnectTest, CameraStateEventsEndTheSession)
{
    ASSERT_TRUE(connect());
    sdk.postStateEvent(kStateShutDown);
    ASSERT_TRUE(waitFor([this] { return !control->isCanonConnected(); }));
    EXPECT_TRUE(control->isSDKInit()) << "a camera that switched itself off leaves the SDK initialised";
    EXPECT_FALSE(sdk.isSessionOpen());

    ASSERT_TRUE(connect());
    sdk.postStateEvent(kStateWillSoonShutDown);
    ASSERT_TRUE(waitFor([this] { return !control->isCanonConnected(); }));
    EXPECT_FALSE(control->isSDKInit());

    ASSERT_TRUE(connect());
    sdk.postStateEvent(kStateInternalError);
    ASSERT_TRUE(waitFor([this] { return !alerts.alerts.empty(); }));
    EXPECT_EQ(alerts.alerts[0].title, "Canon State Event.");
    EXPECT_EQ(alerts.alerts[0].message, "Internal Error");
    EXPECT_TRUE(control->isCanonConnected());
}
