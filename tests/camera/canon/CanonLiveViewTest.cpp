#include "CanonFixture.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QtEndian>

using namespace CanonIds;

namespace {

class CanonLiveViewTest : public CanonFixture {
protected:
    void SetUp() override
    {
        CanonFixture::SetUp();
        sdk.setEvfFrame("frame");
        control->setViewBounds(1056, 704);
        ASSERT_TRUE(connect());
    }
    void liveView(bool on)
    {
        control->panel().focusChecked = on;
        control->canonAction(CanonControl::kTagFocusCheck);
    }
    bool startLiveView()
    {
        liveView(true);
        return waitFor([this] { return control->isCanonLiveView() && sdk.evfDownloads() > 0; });
    }
    // A click, and the camera's answers to it.
    bool click(double x, double y)
    {
        return control->setupCanonLiveViewPosition(x, y) &&
               waitFor([this] { return sdk.uint32Value(kPropEvfZoom) == control->canonZoomScale(); }) &&
               waitFor([this] { return control->panel().expComboEnabled == (control->canonZoomScale() == 1); });
    }
    std::uint32_t zoomX() const { return sdk.uint32Value(kPropEvfZoomPosition); }
    std::uint32_t zoomY()
    {
        QByteArray data;
        sdk.getPropertyData(kPropEvfZoomPosition, 0, data);
        return qFromLittleEndian<std::uint32_t>(data.constData() + 4);
    }
};

}  // namespace

TEST_F(CanonLiveViewTest, SwitchingOnFollowsTheCamerasReportAndOffTouchesNothingWhenOff)
{
    const std::size_t writes = sdk.writesTo(kPropEvfOutputDevice).size();
    control->setupCanonLiveView(false);
    ASSERT_TRUE(delivered());
    EXPECT_EQ(sdk.writesTo(kPropEvfOutputDevice).size(), writes) << "already off: the camera is not touched";

    ASSERT_TRUE(startLiveView());
    EXPECT_EQ(sdk.uint32Value(kPropEvfOutputDevice) & kEvfOutputHost, kEvfOutputHost);
    EXPECT_EQ(control->canonEvfData(), "frame");
    EXPECT_EQ(sdk.uint32Value(kPropEvfZoom), 1u);

    liveView(false);
    EXPECT_FALSE(control->isCanonLiveView()) << "the frames stop at once";
    ASSERT_TRUE(waitFor([this] { return (sdk.uint32Value(kPropEvfOutputDevice) & kEvfOutputHost) == 0; }));
    ASSERT_TRUE(waitFor([this] { return !control->isFrameTimerRunning(); }));
}

TEST_F(CanonLiveViewTest, RepeatedReportsKeepOneFrameTimer)
{
    ASSERT_TRUE(startLiveView());
    for (int i = 0; i < 3; ++i)
        sdk.postPropertyEvent(kPropEvfOutputDevice);
    ASSERT_TRUE(delivered());
    const int before = sdk.evfDownloads();
    QElapsedTimer clock;
    clock.start();
    // The frames fetched over a span are the check: it is waited out.
    QTest::qWait(300);
    const int fetched = sdk.evfDownloads() - before;
    EXPECT_LE(fetched, clock.elapsed() / 20 + 2) << "one frame per 20 ms at most";
}

TEST_F(CanonLiveViewTest, NoFramesAreFetchedWhileAnExposureRuns)
{
    ASSERT_TRUE(startLiveView());
    choose(15);
    expose();
    ASSERT_TRUE(control->isCanonExposing());
    const int before = sdk.evfDownloads();
    sdk.setEvfFrame("newer");
    // No frame may come during a span of frame ticks: waiting it out is the check.
    QTest::qWait(200);
    EXPECT_EQ(sdk.evfDownloads(), before);
    EXPECT_EQ(control->canonEvfData(), "frame") << "the last frame stays";
    control->canonAction(CanonControl::kTagExpose);
    ASSERT_TRUE(waitFor([this] { return control->canonEvfData() == "newer"; }));
}

TEST_F(CanonLiveViewTest, BusyRetriesKeepTheEventLoopRunning)
{
    sdk.failWrite(kPropEvfOutputDevice, 0, kErrDeviceBusy);
    bool ran = false;
    // Only a running event loop lets the camera become free again.
    QTimer::singleShot(250, [&] {
        ran = true;
        sdk.failWrite(kPropEvfOutputDevice, 0, kOk);
    });
    liveView(true);
    EXPECT_FALSE(ran);
    ASSERT_TRUE(waitFor([this] { return control->isCanonLiveView(); }));
    EXPECT_TRUE(ran);

    liveView(false);
    control->canonDisconnect();
    ASSERT_TRUE(connect());
    sdk.failWrite(kPropEvfOutputDevice, 0, kErrDeviceBusy);
    const int refused = sdk.refusedWrites();
    liveView(true);
    // The first write and its ten retries are refused.
    ASSERT_TRUE(waitFor([&] { return sdk.refusedWrites() == refused + 11; }));
    ASSERT_TRUE(delivered());
    EXPECT_FALSE(control->isCanonLiveView()) << "ten retries, then it gives up";
    EXPECT_TRUE(waitFor([this] { return logText().contains("EdsSetPropertyData kEdsPropID_Evf_OutputDevice error: 0x0081."); }));
}

TEST_F(CanonLiveViewTest, AClickZoomsAWindowKeptOnTheSensor)
{
    ASSERT_TRUE(startLiveView());
    EXPECT_FALSE(control->jogCanonLiveViewPosition(128, 0)) << "no jog at zoom 1";

    // The bottom-left corner of the view: the window's left edge on the
    // sensor's left edge, its bottom on the sensor's bottom.
    ASSERT_TRUE(click(0, 0));
    EXPECT_EQ(control->canonZoomScale(), 5u);
    EXPECT_EQ(zoomX(), 0u);
    EXPECT_EQ(zoomY(), 2765u) << "3456 - 3456 / 5, rounded";
    EXPECT_FALSE(control->panel().expComboEnabled);

    ASSERT_TRUE(click(10, 10));
    EXPECT_EQ(control->canonZoomScale(), 1u);
    EXPECT_TRUE(control->panel().expComboEnabled);

    ASSERT_TRUE(click(1056, 704));
    EXPECT_EQ(zoomX(), 4147u) << "5184 - 5184 / 5: flush with the right edge";
    EXPECT_EQ(zoomY(), 0u);

    EXPECT_TRUE(control->jogCanonLiveViewPosition(128, -192));
    EXPECT_EQ(zoomX(), 4147u) << "never past the edge";
    EXPECT_EQ(zoomY(), 0u);
    EXPECT_TRUE(control->jogCanonLiveViewPosition(-128, 192));
    ASSERT_TRUE(waitFor([this] { return zoomX() == 4019u && zoomY() == 192u; }));

    liveView(false);
    EXPECT_FALSE(control->setupCanonLiveViewPosition(0, 0)) << "no zoom without live view";
}

TEST_F(CanonLiveViewTest, QuickClicksEndAtTheLastOneInTheCamerasOrder)
{
    ASSERT_TRUE(startLiveView());
    const std::size_t zooms = sdk.writesTo(kPropEvfZoom).size();
    // Three clicks before the camera has answered the first: in, out, in.
    ASSERT_TRUE(control->setupCanonLiveViewPosition(0, 0));
    ASSERT_TRUE(control->setupCanonLiveViewPosition(10, 10));
    ASSERT_TRUE(control->setupCanonLiveViewPosition(1056, 704));
    EXPECT_EQ(control->canonZoomScale(), 5u) << "each click toggles from the one before";
    ASSERT_TRUE(waitFor([this] { return !control->panel().expComboEnabled && zoomX() == 4147u; }));
    ASSERT_TRUE(delivered());
    EXPECT_EQ(sdk.uint32Value(kPropEvfZoom), 5u);
    EXPECT_EQ(zoomY(), 0u);
    const std::vector<std::uint32_t> all = sdk.writesTo(kPropEvfZoom);
    EXPECT_EQ(std::vector<std::uint32_t>(all.begin() + zooms, all.end()), std::vector<std::uint32_t>{5})
        << "the camera, already zoomed by the first click, is only moved for the last";
}

TEST_F(CanonLiveViewTest, ASwitchOffWhileTheCameraIsBusySwitchingOnLeavesItOff)
{
    // The camera is busy: the switch-on is still retrying when it is switched off.
    sdk.failWrite(kPropEvfOutputDevice, 0, kErrDeviceBusy);
    liveView(true);
    ASSERT_TRUE(waitFor([this] { return sdk.refusedWrites() >= 2; })) << "the switch-on retries";
    liveView(false);
    sdk.failWrite(kPropEvfOutputDevice, 0, kOk);
    // No retry of the earlier switch may come within its ten: waiting them out is the check.
    QTest::qWait(1200);
    EXPECT_EQ(sdk.writesTo(kPropEvfOutputDevice), std::vector<std::uint32_t>{0})
        << "the earlier switch's retries were dropped";
    EXPECT_FALSE(control->isCanonLiveView());
}

TEST_F(CanonLiveViewTest, TheCameraIsKeptAwakeWhileLiveViewRuns)
{
    ASSERT_TRUE(startLiveView());
    sdk.postStateEvent(kStateWillSoonShutDown);
    ASSERT_TRUE(delivered());
    EXPECT_TRUE(control->isCanonConnected());
    EXPECT_EQ(sdk.commands().back().first, kCmdExtendShutDownTimer);
}

TEST_F(CanonLiveViewTest, ACameraThatSwitchesItselfOffEndsLiveView)
{
    ASSERT_TRUE(startLiveView());
    sdk.postStateEvent(kStateShutDown);
    ASSERT_TRUE(waitFor([this] { return !control->isCanonConnected(); }));
    EXPECT_FALSE(control->isCanonLiveView());
    EXPECT_FALSE(control->isFrameTimerRunning());
}

// The battery is read without waiting: its answer is taken from the event loop.
class CanonBatteryTest : public CanonFixture {
protected:
    bool connectAndRead()
    {
        const bool connected = connect();
        QCoreApplication::processEvents();
        return connected;
    }
    void readBattery()
    {
        control->canonBatteryLevelTimer();
        QCoreApplication::processEvents();
    }
};

TEST_F(CanonBatteryTest, LowBatteryWarnsOnceThenAsksAndFallsSilent)
{
    alerts.choice = false;
    sdk.setUInt32Value(kPropBatteryLevel, 0, 8);
    ASSERT_TRUE(connectAndRead());
    EXPECT_EQ(alertTitles(), QStringList({"WARNING - the camera's battery level is low."}));
    EXPECT_EQ(control->panel().batteryLevel, 0);
    readBattery();
    EXPECT_EQ(alerts.alerts.size(), 1u) << "once per run";

    sdk.setUInt32Value(kPropBatteryLevel, 0, 2);
    readBattery();
    ASSERT_EQ(alerts.alerts.size(), 2u);
    EXPECT_EQ(alerts.alerts[1].title, "WARNING - the camera's battery level is too low.");
    EXPECT_EQ(alerts.alerts[1].message, "Do you want to disconnect from the camera?");
    EXPECT_TRUE(control->isCanonConnected()) << "the user said NO";

    readBattery();
    control->canonDisconnect();
    ASSERT_TRUE(connectAndRead());
    EXPECT_EQ(alerts.alerts.size(), 2u) << "silent for the rest of the run";
}

TEST_F(CanonBatteryTest, AFirstReadingOfTwoWarnsAndAsksAtOnce)
{
    sdk.setUInt32Value(kPropBatteryLevel, 0, 2);
    ASSERT_TRUE(connectAndRead());
    EXPECT_EQ(alertTitles(), QStringList({"WARNING - the camera's battery level is low.",
                                          "WARNING - the camera's battery level is too low."}));
    EXPECT_FALSE(control->isCanonConnected()) << "YES disconnects";
    EXPECT_EQ(alerts.beeps, 2);
}

TEST_F(CanonBatteryTest, UnknownAndMainsLevels)
{
    sdk.setUInt32Value(kPropBatteryLevel, 0, kBatteryAC);
    ASSERT_TRUE(connectAndRead());
    EXPECT_EQ(control->panel().batteryLevel, 10);
    EXPECT_TRUE(alerts.alerts.empty());

    alerts.choice = false;
    sdk.setUInt32Value(kPropBatteryLevel, 0, 0);
    readBattery();
    EXPECT_EQ(alertTitles(), QStringList({"WARNING - the camera's battery level is unknown."}));
    sdk.setUInt32Value(kPropBatteryLevel, 0, 1);
    readBattery();
    EXPECT_EQ(alerts.alerts.size(), 1u);
}

TEST_F(CanonBatteryTest, SixtyDModeDialIsCheckedWhenTheCameraChangesIt)
{
    sdk.setDescription("Canon EOS 5D Mark III");
    ASSERT_TRUE(connect(16));  // 30 s, a shutter speed
    alerts.alerts.clear();
    choose(14);  // 60 s: bulb wanted, dial on Manual
    ASSERT_TRUE(delivered());  // the camera's own reports of the connection's writes
    alerts.alerts.clear();
    sdk.postPropertyEvent(kPropTv);
    ASSERT_TRUE(waitFor([this] { return !alerts.alerts.empty(); }));
    EXPECT_EQ(alertTitles(), QStringList({"Set the mode dial to Bulb for long (>30s) exposures."}));
    EXPECT_FALSE(control->panel().expButtonEnabled);

    sdk.setUInt32Value(kPropAEMode, 0, kAEBulb);
    sdk.postPropertyEvent(kPropTv);
    ASSERT_TRUE(waitFor([this] { return control->panel().expButtonEnabled; }));
    EXPECT_TRUE(control->isCanonBulb()) << "the dial on Bulb makes it a bulb exposure";

    choose(24);  // 0.5 s
    alerts.alerts.clear();
    sdk.postPropertyEvent(kPropTv);
    ASSERT_TRUE(waitFor([this] { return !alerts.alerts.empty(); }));
    EXPECT_EQ(alertTitles(), QStringList({"Set the mode dial to Manual for short (<1s) exposures."}));
    EXPECT_FALSE(control->panel().expButtonEnabled);
}
