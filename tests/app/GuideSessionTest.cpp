#include "app/AssembledProgram.h"
#include "app/DSUSBShutter.h"
#include "app/GuideLink.h"
#include "app/ScopeGuideMount.h"
#include "camera/FakeHidDevice.h"
#include "camera/GuideSky.h"
#include "camera/ManualClock.h"
#include "camera/views/guide/GuidePanel.h"
#include "mount/MountProtocols.h"
#include "mount/panels/ConnectMenu.h"
#include "support/ColonCommandMount.h"
#include "support/LX200Personality.h"
#include "support/MainThreadWatchdog.h"
#include "support/PtyDevice.h"
#include "support/QStringPrinter.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QPushButton>
#include <QTest>

#include <algorithm>

namespace {

constexpr int kWaitMs = 20000;
constexpr int kGPUSBTag = 51;
constexpr int kDSUSBTag = 54;

// The autoguider's side of the program, its adapters behind fake HID devices
// joined to the assembled program's mount controller and Connect menu.
class GuideSessionTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        auto gpusbDevice = std::make_unique<FakeHidDevice>();
        auto dsusbDevice = std::make_unique<FakeHidDevice>();
        gpusbHid = gpusbDevice.get();
        dsusbHid = dsusbDevice.get();
        guide = std::make_unique<GuideLink>(chart->prefControl(), chart->debugLog(), chart->mountLink(),
                                            GuideLink::Devices{std::move(gpusbDevice), std::move(dsusbDevice)},
                                            nullptr);
    }
    void TearDown() override
    {
        if (chart->scopeControl().isConnected())
            chart->scopeControl().disconnect();
        guide.reset();
        chart.reset();
    }
    ConnectMenu& menu() { return *chart->mountLink().connectMenu(); }
    void choose(int tag)
    {
        menu().validateMenu();
        QAction* item = menu().itemWithTag(tag);
        ASSERT_NE(item, nullptr);
        item->trigger();
    }
    bool checked(int tag)
    {
        menu().validateMenu();
        return menu().itemWithTag(tag)->isChecked();
    }

    ScopedAlertRecorder alerts;
    FakeHidDevice* gpusbHid = nullptr;
    FakeHidDevice* dsusbHid = nullptr;
    std::unique_ptr<GuideLink> guide;
};

TEST_F(GuideSessionTest, TheConnectMenuTogglesTheAdapters)
{
    gpusbHid->attached = 0;
    choose(kGPUSBTag);
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "GPUSB connection failed.");
    EXPECT_FALSE(checked(kGPUSBTag));
    EXPECT_FALSE(guide->guidePanel().calibrateButton()->isEnabled());

    gpusbHid->attached = 1;
    choose(kGPUSBTag);
    EXPECT_EQ(alerts.alerts.size(), 1u);
    EXPECT_TRUE(checked(kGPUSBTag));
    EXPECT_TRUE(guide->webcamGuide().isCalibrateEnabled());
    EXPECT_TRUE(guide->guidePanel().calibrateButton()->isEnabled());
    EXPECT_EQ(gpusbHid->vendorId, 0x134A);
    choose(kGPUSBTag);
    EXPECT_FALSE(checked(kGPUSBTag));
    EXPECT_EQ(gpusbHid->bytes(), std::vector<int>{'0'});

    choose(kDSUSBTag);
    EXPECT_TRUE(checked(kDSUSBTag));
    choose(kDSUSBTag);
    EXPECT_FALSE(checked(kDSUSBTag));
    EXPECT_EQ(dsusbHid->bytes(), (std::vector<int>{' ', 0x00}));
}

TEST_F(GuideSessionTest, AFailedAdapterConnectSaysWhy)
{
    gpusbHid->attached = 2;
    choose(kGPUSBTag);
    dsusbHid->refuseOpen = true;
    choose(kDSUSBTag);
    dsusbHid->refuseOpen = false;
    dsusbHid->refuseReports = true;
    choose(kDSUSBTag);
    gpusbHid->attached = 0;
    choose(kGPUSBTag);
    ASSERT_EQ(alerts.alerts.size(), 4u);
    EXPECT_EQ(alerts.alerts[0].title, "GPUSB connection failed.");
    EXPECT_EQ(alerts.alerts[0].message, "More than one adapter is attached; attach only one.");
    EXPECT_EQ(alerts.alerts[1].title, "DSUSB connection failed.");
    EXPECT_TRUE(alerts.alerts[1].message.contains("could not be opened"));
    EXPECT_EQ(alerts.alerts[2].message, "The adapter did not take its first report.");
    EXPECT_EQ(alerts.alerts[3].message, "No adapter was found on the USB bus.");
    EXPECT_FALSE(checked(kGPUSBTag));
    EXPECT_FALSE(checked(kDSUSBTag));
}

// Adapters that stop answering: the Connect menu and the Canon bulb line get
// their failures within the reports' time-out and the window keeps running.
TEST_F(GuideSessionTest, StuckAdaptersFailWithoutHoldingTheWindow)
{
    // On a loaded machine an adapter's thread may start a report later than
    // its 50 ms: the user would choose the item again.
    const auto chooseUntil = [&](int tag, bool connected) {
        return QTest::qWaitFor(
            [&] {
                if (checked(tag) != connected)
                    choose(tag);
                return checked(tag) == connected;
            },
            kWaitMs);
    };
    ASSERT_TRUE(chooseUntil(kGPUSBTag, true) && chooseUntil(kDSUSBTag, true));
    alerts.alerts.clear();
    const std::shared_ptr<FakeHidGate> gpusbGate = gpusbHid->writeGate;
    const std::shared_ptr<FakeHidGate> dsusbGate = dsusbHid->writeGate;
    gpusbGate->hold();
    dsusbGate->hold();
    DSUSBShutter shutter(guide->dsusbControl());

    // The loop runs a few ticks around each step, so that a stall in one stands out.
    MainThreadWatchdog watchdog;
    watchdog.start();
    QTest::qWait(30);
    choose(kGPUSBTag);
    QTest::qWait(30);
    EXPECT_FALSE(shutter.openDSShutter());
    QTest::qWait(30);
    EXPECT_LT(watchdog.longestStall(), std::chrono::milliseconds(100));
    EXPECT_TRUE(checked(kGPUSBTag));
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "GPUSB disconnect failed.");

    gpusbGate->release();
    dsusbGate->release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return shutter.closeDSShutter(); }, kWaitMs));
    EXPECT_TRUE(chooseUntil(kGPUSBTag, false));
}

// A mount that tells the simulated sky what it was asked, so that the star
// moves, and passes every command on to the program's mount controller.
struct SkyAndScope final : GuideMount {
    SkyAndScope(GuideSky& sky, ScopeControl& scope) : sky(sky), scope(scope) {}
    int scopeProtocol() const override { return scope.scopeProtocol(); }
    bool genericSlew(int direction) override { return sky.genericSlew(direction) && scope.genericSlew(direction); }
    bool genericSlewStop(int direction) override
    {
        return sky.genericSlewStop(direction) && scope.genericSlewStop(direction);
    }
    bool pulseGuideLX200(bool eastWest, int milliseconds) override
    {
        sky.pulseGuideLX200(eastWest, milliseconds);
        return scope.pulseGuideLX200(eastWest, milliseconds);
    }
    GuideSky& sky;
    ScopeGuideMount scope;
};

TEST_F(GuideSessionTest, ACalibrationPulsesAnLX200GPSMount)
{
    PtyDevice pty;
    ColonCommandMount lx200(std::make_unique<LX200Personality>(LX200Personality::Kind::GPS,
                                                               LX200Personality::Options{}));
    lx200.attach(pty.simulator());
    pty.start();
    PrefControl& prefs = chart->prefControl();
    prefs.scopes()[0].mountProtocol = kProtocolLX200GPS;
    prefs.setScopeNamesArray({"Simulated LX200 GPS", "", "", "", ""});
    menu().setupConnectMenu();
    chart->mountLink().serialControl().setExtraPorts({pty.path()});
    choose(0);
    ASSERT_TRUE(QTest::qWaitFor([this] { return chart->scopeControl().isConnected(); }, kWaitMs));
    ASSERT_TRUE(QTest::qWaitFor([this] { return chart->scopeControl().hasScopePort(); }, kWaitMs));
    chart->scopeControl().setTimerRate(0.0f);

    // The guider's own clock runs in virtual time; the mount's worker in real time.
    ManualClock clock;
    GuideSky::Options options;
    options.protocol = kProtocolLX200GPS;
    GuideSky sky(clock, options);
    SkyAndScope mount(sky, chart->scopeControl());
    WebcamGuide guider(clock);
    guider.setFrameSource(&sky);
    guider.setMount(&mount);
    guider.centroid().setGuideBuff(true);
    chart->scopeControl().setWebcamGuide(&guider);
    // The mount controller forgets this guider before it goes.
    struct Forget {
        ScopeControl& scope;
        AutoguiderLink& own;
        ~Forget() { scope.setWebcamGuide(&own); }
    } forget{chart->scopeControl(), guide->webcamGuide()};

    guider.guideAction(1, false);
    for (int i = 0; i < 600 && !(guider.isCalibrated() && !guider.isCalibrating()); ++i) {
        clock.advance(100);
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(guider.isCalibrated()) << guider.guideStatus().toStdString();

    const auto pulses = [&] {
        QByteArrayList sent;
        for (const QByteArray& frame : lx200.frames()) {
            if (frame.startsWith(":Mg"))
                sent.append(frame);
        }
        return sent;
    };
    const auto hasPulse = [](const QByteArrayList& sent, const char* start) {
        return std::any_of(sent.begin(), sent.end(), [start](const QByteArray& f) { return f.startsWith(start); });
    };
    // The calibration is over on the guider's clock; its pulses still wait
    // their turn on the mount's worker.
    EXPECT_TRUE(QTest::qWaitFor(
        [&] {
            const QByteArrayList sent = pulses();
            return sent.contains(":Mgn9999#") && hasPulse(sent, ":Mgw") && hasPulse(sent, ":Mgs");
        },
        kWaitMs));
    const QByteArrayList sent = pulses();
    ASSERT_FALSE(sent.isEmpty());
    EXPECT_EQ(sent.first(), ":Mge9999#");
    EXPECT_TRUE(sent.contains(":Mgn9999#"));
    EXPECT_TRUE(hasPulse(sent, ":Mgw"));
    EXPECT_TRUE(hasPulse(sent, ":Mgs"));
    EXPECT_TRUE(alerts.alerts.empty());
}

}  // namespace
