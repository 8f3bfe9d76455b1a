#include "MountFixture.h"

#include "mount/HexDigits.h"
#include "mount/links/WiFiView.h"
#include "platform/AppTimeZone.h"
#include "support/DeviceFolderAt.h"
#include "support/LoopbackDevice.h"
#include "support/MainThreadWatchdog.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using ScopeControlTest = MountFixture;

TEST_F(ScopeControlTest, AChosenPortIsTheOnlyOneTried)
{
    addPorts(3);
    prefs->scopes()[0].mountProtocol = kProtocolLX200;
    scope->setSelectPort(3);
    ASSERT_TRUE(connectSlot0());
    EXPECT_TRUE(ptys[0]->simulator().received().isEmpty());
    EXPECT_TRUE(ptys[1]->simulator().received().isEmpty());
    EXPECT_EQ(ptys[2]->simulator().received(), ":hello#");
}

namespace {

struct BridgeView final : WiFiView {
    QString addressField() const override { return LoopbackDevice::address(); }
    QString portField() const override { return port; }
    void setProgressRunning(bool) override {}
    void setStatusText(const QString&) override {}
    void setConnectTitle(const QString&) override {}
    QString port;
};

}  // namespace

TEST_F(ScopeControlTest, AConnectedBridgeIsUsedInsteadOfEveryPort)
{
    addPorts(2);
    LoopbackDevice bridge;
    bridge.simulator().answer(":hello#", "1");
    bridge.start();
    BridgeView bridgeView;
    bridgeView.port = bridge.port();
    serial->setWiFiView(&bridgeView);
    ASSERT_TRUE(serial->openWiFi());
    ASSERT_TRUE(QTest::qWaitFor([this] { return serial->hasWiFi(); }, 2000));

    prefs->scopes()[0].mountProtocol = kProtocolLX200;
    ASSERT_TRUE(connectSlot0());
    EXPECT_TRUE(serial->isWiFi());
    EXPECT_TRUE(bridge.simulator().received().startsWith(":hello#"));
    for (const auto& pty : ptys)
        EXPECT_TRUE(pty->simulator().received().isEmpty());
    scope->disconnect();
    EXPECT_FALSE(serial->isWiFi());
}

TEST_F(ScopeControlTest, ThePollRateCountsTicksAndOffNeverPolls)
{
    struct Case {
        float rate;
        bool calibrating;
        std::vector<int> pollsAfterEachTick;
    };
    const Case cases[] = {
        {0.0f, false, {0, 0, 0, 0, 0, 0}},
        {2.0f, false, {1, 1, 2, 2, 3, 3}},
        {1.0f, true, {0, 0, 0, 0, 0, 0}},
    };
    connectScope();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rate);
        guider.calibrating = c.calibrating;
        // Each case starts from the count that polling off leaves.
        scope->setTimerRate(0.0f);
        scope->runScopeTimer();
        scope->setTimerRate(c.rate);
        const int before = family->count("poll");
        std::vector<int> polls;
        for (size_t tick = 0; tick < c.pollsAfterEachTick.size(); ++tick) {
            scope->runScopeTimer();
            settle();
            polls.push_back(family->count("poll") - before);
        }
        EXPECT_EQ(polls, c.pollsAfterEachTick);
    }
    EXPECT_EQ(storedValues().value("ScopePollRatePref").toFloat(), 1.0f);
}

TEST_F(ScopeControlTest, GenericSlewsAndRatesByProtocol)
{
    struct Case {
        int protocol;
        bool slews;
        QByteArray rate3;
    };
    const Case cases[] = {
        {kProtocolLX200, true, ":S11#"},
        {kProtocolAstroPhysics, true, ""},
        {kProtocolNexStarGPS, true, ":S1#"},
        {kProtocolSkyCommander, false, ""},
        {kProtocolServoCat, false, ""},
        {kProtocolIEQ45, false, ""},
    };
    addPorts(1);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.protocol);
        connectScope(c.protocol);
        const qsizetype sent = ptys[0]->simulator().received().size();
        EXPECT_EQ(scope->genericSlew(kSlewNorth), c.slews);
        EXPECT_EQ(scope->genericSlewStop(kSlewNorth), c.slews);
        scope->setGenericSlewRate(3);
        scope->setGenericSlewRate(5);  // out of range: nothing
        const auto sentSince = [&] { return ptys[0]->simulator().received().mid(sent); };
        if (!c.rate3.isEmpty()) {
            EXPECT_TRUE(QTest::qWaitFor([&] { return sentSince() == c.rate3; }, 1000));
        }
        EXPECT_EQ(sentSince(), c.rate3);
        scope->disconnect();
    }
}

// The fade's 0.05 s timer also runs for real while the test waits for the
// worker, so the ticks before the fade are not counted here; the fade itself
// is 15 steps, ticks 100 to 114.
TEST_F(ScopeControlTest, ThePanelFadeStepsDownToAQuarterAndStops)
{
    prefs->setIsTransparent(true);
    connectScope();
    for (int tick = 1; tick <= 200; ++tick)
        scope->setScopeAlphaDelay();
    ASSERT_EQ(panels.alphas.size(), 15u);
    EXPECT_NEAR(panels.alphas.front(), 0.95, 1e-12);
    EXPECT_NEAR(panels.alphas.back(), 0.25, 1e-12);
}

// The name once went into the alert as its format.
// The handshakes run on the worker: trying a silent port leaves the main
// thread turning, and the failure is told once the worker is done.
TEST_F(ScopeControlTest, ConnectingToASilentPortLeavesTheInterfaceResponsive)
{
    PtyDevice silent;
    silent.simulator().dropAnswers();
    silent.start();
    serial->setExtraPorts({silent.path()});
    serial->getPortNames();
    prefs->scopes()[0].mountProtocol = kProtocolLX200;
    MainThreadWatchdog watchdog;
    watchdog.start();
    ASSERT_TRUE(scope->scopeConnect(0));
    EXPECT_TRUE(scope->isConnecting());
    EXPECT_FALSE(scope->scopeConnect(0));
    ASSERT_TRUE(QTest::qWaitFor([this] { return !scope->isConnecting(); }, 20000));
    EXPECT_LT(watchdog.longestStall(), std::chrono::milliseconds(100));
    EXPECT_FALSE(scope->isConnected());
    EXPECT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(silent.simulator().received(), ":hello#");
}

TEST_F(ScopeControlTest, AFailedConnectShowsTheNameVerbatim)
{
    PtyDevice silent;
    silent.simulator().dropAnswers();
    silent.start();
    serial->setExtraPorts({silent.path()});
    prefs->setScopeNamesArray({"Dob %s %n 100%", "", "", "", ""});
    prefs->scopes()[0].mountProtocol = kProtocolLX200;
    EXPECT_FALSE(connectSlot0());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Could not connect to telescope:");
    EXPECT_EQ(alerts.alerts[0].message, "Dob %s %n 100%\nNo mount answered on " + silent.path().mid(5) + ".");
    EXPECT_EQ(scope->scopeIndex(), -1);
}

TEST_F(ScopeControlTest, AConnectWithNoSerialPortAtAllSaysSo)
{
    const QTemporaryDir noDevices;
    const DeviceFolderAt folder(noDevices.path());
    serial->setExtraPorts({});
    prefs->scopes()[0].mountProtocol = kProtocolLX200;
    EXPECT_FALSE(connectSlot0());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Could not connect to telescope:");
    EXPECT_EQ(alerts.alerts[0].message, prefs->scopeNamesArray().value(0) + "\nNo serial port was found.");
}

TEST_F(ScopeControlTest, TheDomesAzimuthLeavesTheUsersDateAlone)
{
    const QDateTime chosen(QDate(1999, 8, 11), QTime(11, 0), Qt::UTC);
    skyDate->calculateDate(chosen, 0.0);
    scope->status().scopeRA = 1.0;
    scope->status().scopeDec = 0.3;
    const ScopeControl::AzAlt place = scope->scopeAzAlt();
    EXPECT_EQ(skyDate->skyDate(), chosen);
    EXPECT_TRUE(place.az >= 0.0 && place.az < 6.2832);
}

// The domes aim where the mount was last read to point, not at a goto target
// (-1 before the first goto), and have nothing to aim at before a read.
TEST_F(ScopeControlTest, TheDomesFollowThePolledPositionOnceOneWasRead)
{
    family = nullptr;
    scope->setFamilies([this](int, const MountContext& context) {
        family = std::make_shared<FakeFamily>(context);
        family->ra = 2.0;
        family->dec = -0.2;
        return family;
    });
    EXPECT_FALSE(scope->hasPosition());
    connectScope();
    EXPECT_TRUE(scope->hasPosition());
    const ScopeControl::AzAlt polled = scope->scopeAzAlt();
    scope->setGotoRA(3.0, 0.5);
    EXPECT_NEAR(scope->scopeAzAlt().az, polled.az, 1e-3);
    scope->status().scopeRA = 3.0;
    scope->status().scopeDec = 0.5;
    EXPECT_GT(std::abs(scope->scopeAzAlt().az - polled.az), 0.01);
    scope->disconnect();
    EXPECT_FALSE(scope->hasPosition());
}

// Polls that fail in a row end the connection with one alert and leave the
// poll flag clear; one that answers in between starts the count again.
TEST_F(ScopeControlTest, FailedPollsInARowEndTheConnectionWithOneAlert)
{
    connectScope();
    int lost = 0;
    QObject::connect(scope.get(), &ScopeControl::connectionLost, [&] { ++lost; });
    const auto poll = [this] {
        scope->readScopePosition([](bool) {});
        settle();
    };
    for (int round = 0; round < 2; ++round) {
        family->answers = false;
        for (int failed = 1; failed < ScopeControl::kLostAfterFailedPolls; ++failed)
            poll();
        EXPECT_TRUE(scope->isConnected());
        EXPECT_FALSE(scope->isPolling());
        family->answers = true;
        poll();
    }
    family->answers = false;
    for (int failed = 1; failed < ScopeControl::kLostAfterFailedPolls; ++failed)
        poll();
    // The poll that loses the mount also lets the worker go, so nothing
    // posted after it would be run: wait for the loss itself.
    scope->readScopePosition([](bool) {});
    ASSERT_TRUE(QTest::qWaitFor([this] { return !scope->isConnected(); }, 2000));
    QCoreApplication::processEvents();
    EXPECT_FALSE(scope->isConnected());
    EXPECT_EQ(lost, 1);
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Lost contact with the telescope.");
}

// The worker stops once the mount is gone, whatever the other devices do on
// their ports' workers, and starts again with the next connection.
TEST_F(ScopeControlTest, TheWorkerStopsAfterTheMountDisconnects)
{
    connectScope();
    scope->portWorkers().postWork(kSerialSlotDome, [] {});
    scope->disconnect();
    EXPECT_TRUE(scope->scopeThread().wait(5000));
    EXPECT_FALSE(scope->hasScopePort());
    EXPECT_TRUE(scope->portWorkers().worker(kSerialSlotDome)->isRunning());

    connectScope();
    EXPECT_TRUE(scope->scopeThread().isRunning());
    scope->disconnect();
    EXPECT_TRUE(scope->scopeThread().wait(5000));
}

// A lost mount leaves the chart as it was before the connection: redrawn
// without it, and the real-time clock off again when the connection had
// turned it on (a clock the user ran stays on).
TEST_F(ScopeControlTest, ALostMountRedrawsTheChartAndGivesBackTheClock)
{
    for (const bool clockWasOn : {false, true}) {
        SCOPED_TRACE(clockWasOn);
        prefs->setIsRunRealTime(clockWasOn, false);
        connectScope();
        EXPECT_TRUE(prefs->isRunRealTime());
        const int redraws = sky.redraws;
        ptys.back()->closeMaster();
        ASSERT_TRUE(QTest::qWaitFor([this] { return !scope->isConnected(); }, 2000));
        EXPECT_GT(sky.redraws, redraws);
        EXPECT_EQ(prefs->isRunRealTime(), clockWasOn);
        ptys.clear();
    }
}

// A port that hangs up counts as lost at once, with no poll running.
TEST_F(ScopeControlTest, APortThatHangsUpIsLostAtOnce)
{
    connectScope();
    ptys[0]->closeMaster();
    EXPECT_TRUE(QTest::qWaitFor([this] { return !scope->isConnected(); }, 2000));
    EXPECT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(family->count("poll"), 1);  // the one at connect
}

// A bridge whose peer goes away is lost at once too, and the next
// connection over a fresh bridge works.
TEST_F(ScopeControlTest, ABridgeWhosePeerWentAwayIsLostAtOnce)
{
    prefs->scopes()[0].mountProtocol = kProtocolLX200;
    BridgeView bridgeView;
    serial->setWiFiView(&bridgeView);
    for (int session = 0; session < 2; ++session) {
        SCOPED_TRACE(session);
        LoopbackDevice bridge;
        bridge.simulator().answer(":hello#", "1");
        bridge.start();
        bridgeView.port = bridge.port();
        ASSERT_TRUE(serial->openWiFi());
        ASSERT_TRUE(QTest::qWaitFor([this] { return serial->hasWiFi(); }, 2000));
        ASSERT_TRUE(connectSlot0());
        ASSERT_TRUE(QTest::qWaitFor([this] { return scope->hasScopePort(); }, 2000));
        if (session == 1)
            break;
        bridge.simulator().stop();
        EXPECT_TRUE(QTest::qWaitFor([this] { return !scope->isConnected(); }, 2000));
        ASSERT_EQ(alerts.alerts.size(), 1u);
        EXPECT_EQ(alerts.alerts[0].title, "Lost contact with the telescope.");
        serial->cancelWiFi();
    }
    EXPECT_TRUE(scope->isConnected());
    scope->disconnect();
    serial->cancelWiFi();
}

// A panel command after the disconnect (the worker keeps running) left the
// command flag set, and the next connection never polled.
TEST_F(ScopeControlTest, ACommandWithoutAMountLeavesTheNextConnectionPolling)
{
    connectScope();
    scope->disconnect();
    scope->lx200Command(30);
    EXPECT_FALSE(scope->isSerialCmd());

    connectScope();
    scope->setTimerRate(1.0f);
    const int polls = family->count("poll");
    scope->runScopeTimer();
    settle();
    EXPECT_EQ(family->count("poll"), polls + 1);
}

// "a" was read as 42 and any byte taken as a digit.
TEST_F(ScopeControlTest, StatesAMountReportsReachTheirPanelControls)
{
    const std::pair<MountPanelSetting, int> reported[] = {
        {MountPanelSetting::SynScanSync, 1}, {MountPanelSetting::NexStarMode, 3},
        {MountPanelSetting::TemmaSide, 0},   {MountPanelSetting::TemmaTrack, 1},
        {MountPanelSetting::TemmaTrack, 0},  {MountPanelSetting::MaxSlewSpeed, 38}};
    for (const auto& [setting, code] : reported)
        emit scope->events().panelSetting(setting, code);
    EXPECT_EQ(panels.calls,
              (std::vector<QString>{"sync on", "mode 3", "west", "stand-by", "slew 38"}));

    // The sync count retitles a Temma panel that is showing, and shows no hidden one.
    emit scope->events().panelSetting(MountPanelSetting::TemmaSynced, 2);
    EXPECT_TRUE(panels.titles.empty());
    panels.shown[MountPanel::Temma] = 1.0;
    emit scope->events().panelSetting(MountPanelSetting::TemmaSynced, 3);
    ASSERT_EQ(panels.titles.size(), 1u);
    EXPECT_TRUE(panels.titles[0].endsWith(" - Synced 3"));
}

TEST(HexDigits, OnlyHexDigitsAreRead)
{
    EXPECT_EQ(HexDigits::ASCIIToHex('0'), 0);
    EXPECT_EQ(HexDigits::ASCIIToHex('9'), 9);
    EXPECT_EQ(HexDigits::ASCIIToHex('F'), 15);
    EXPECT_EQ(HexDigits::ASCIIToHex('a'), 10);
    for (const char bad : {'g', 'G', ':', '@', ' ', '\0', char(0xC1)})
        EXPECT_FALSE(HexDigits::ASCIIToHex(bad)) << int(bad);
    EXPECT_EQ(HexDigits::HexToASCII(0xA7, true), 'A');
    EXPECT_EQ(HexDigits::HexToASCII(0xA7, false), '7');
}
