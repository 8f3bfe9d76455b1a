#include "SerialFixture.h"

#include "mount/links/WiFiView.h"
#include "support/LoopbackDevice.h"
#include "support/MainThreadWatchdog.h"

#include <QElapsedTimer>
#include <QTest>

#include <optional>
#include <thread>

namespace {

using namespace std::chrono_literals;

const QByteArray kRequest = ":GD#";
const QByteArray kAnswer = "+12*34:56#";

class RecordingView : public WiFiView {
public:
    QString addressField() const override { return address; }
    QString portField() const override { return port; }
    void setProgressRunning(bool on) override { running = on; }
    void setStatusText(const QString& text) override { status = text; }
    void setConnectTitle(const QString& text) override { title = text; }

    QString address = LoopbackDevice::address();
    QString port;
    bool running = false;
    QString status;
    QString title;
};

}  // namespace

class WiFiBridgeTest : public SerialFixture {
protected:
    WiFiBridgeTest() { serial.setWiFiView(&view); }

    // Connects to the loopback device and puts the mount on the bridge.
    void connectBridge()
    {
        bridge.simulator().answer(kRequest, kAnswer);
        bridge.simulator().setReplyDelay(10ms);
        bridge.start();
        view.port = bridge.port();
        ASSERT_TRUE(serial.openWiFi());
        EXPECT_EQ(view.status, "Stream opening");
        ASSERT_TRUE(QTest::qWaitFor([this] { return serial.hasWiFi(); }, 2000));
        serial.setIsWiFi(true);
    }

    RecordingView view;
    LoopbackDevice bridge;
};

TEST_F(WiFiBridgeTest, ConnectedBridgeServesTheMountSlotOnly)
{
    connectBridge();
    EXPECT_EQ(view.status, "Connected");
    EXPECT_EQ(view.title, "Cancel");
    EXPECT_FALSE(view.running);
    EXPECT_EQ(serial.wifiPortNumber(), bridge.port());

    const Exchange answered = exchange(kRequest, quint16(kAnswer.size()));
    EXPECT_TRUE(answered.ok);
    EXPECT_EQ(replyText(answered.count), kAnswer);

    qint32 count = 2;
    EXPECT_FALSE(serial.transaction(1, count, "ab", reply, kSerialSlotFocuser));
    EXPECT_EQ(count, 2);
    EXPECT_TRUE(debugText().contains("WiFi transaction not scope"));
}

TEST_F(WiFiBridgeTest, BridgeRepliesFollowTheCycleRules)
{
    struct Case {
        const char* name;
        std::function<void(DeviceSimulator&)> fault;
        qint32 count;
        const char* debugLine;
    };
    const std::vector<Case> cases = {
        {"split by a long gap", [](DeviceSimulator& d) { d.splitReplies(3, 600ms); },
         kTransShortReply, "WiFi transaction loop failed: -3"},
        {"no answer", [](DeviceSimulator& d) { d.dropAnswers(); }, kTransTimeout,
         "WiFi transaction loop failed: -4"},
        {"reset", [](DeviceSimulator& d) { d.closeOnRequest(); }, kTransReadError, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        LoopbackDevice device;
        device.simulator().answer(kRequest, kAnswer);
        c.fault(device.simulator());
        device.start();
        view.port = device.port();
        ASSERT_TRUE(serial.openWiFi());
        ASSERT_TRUE(QTest::qWaitFor([this] { return serial.hasWiFi(); }, 2000));
        serial.setIsWiFi(true);
        const Exchange result = exchange(kRequest, quint16(kAnswer.size()));
        EXPECT_FALSE(result.ok);
        EXPECT_EQ(result.count, c.count);
        if (c.debugLine) {
            EXPECT_TRUE(debugText().contains(c.debugLine));
        }
        serial.cancelWiFi();
    }
    // The bytes that did come are dumped.
    EXPECT_TRUE(debugText().contains("outDump: 2B 31 32 "));
}

TEST_F(WiFiBridgeTest, FailedConnectsEndIdle)
{
    struct Case {
        const char* name;
        QString address;
        QString port;
        bool started;
        const char* status;
    };
    bridge.stall();
    const std::vector<Case> cases = {
        {"refused", LoopbackDevice::address(), LoopbackDevice::closedPort(), true,
         "Connect Failed"},
        {"never answered", LoopbackDevice::address(), bridge.port(), true, "Connect Failed"},
        {"not an address", "bridge", "4030", false, "Stream Failed"},
        {"not a port", LoopbackDevice::address(), "40x", false, "Stream Failed"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        view.address = c.address;
        view.port = c.port;
        view.status.clear();
        EXPECT_EQ(serial.openWiFi(), c.started);
        EXPECT_TRUE(QTest::qWaitFor([&] { return view.status == c.status; }, 2000));
        EXPECT_FALSE(view.running);
        EXPECT_FALSE(serial.hasWiFi());
    }
    EXPECT_TRUE(debugText().contains("WiFi stream open timeout"));
    EXPECT_TRUE(debugText().contains("CFStream failed at ip: bridge:4030"));
}

// A bridge whose peer closed was read as "no bytes yet" until the time-out:
// now it shows as hung up and an exchange fails at once.
TEST_F(WiFiBridgeTest, APeerThatClosedIsLostAtOnce)
{
    connectBridge();
    // Answered once: the device serves the connection.
    ASSERT_TRUE(exchange(kRequest, quint16(kAnswer.size())).ok);
    EXPECT_FALSE(serial.isHungUp(kSerialSlotScope));
    bridge.simulator().stop();
    EXPECT_TRUE(QTest::qWaitFor([this] { return serial.isHungUp(kSerialSlotScope); }, 2000));
    QElapsedTimer clock;
    clock.start();
    const Exchange result = exchange(kRequest, quint16(kAnswer.size()));
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.count, kTransReadError);
    // Well inside the bridge's own two-second time-out.
    EXPECT_LT(clock.elapsed(), 1000);
}

// Cancelling the bridge while the worker waits on a slow reply neither
// waits for that reply nor leaves the socket to the exchange: the exchange
// fails at its next read and the bridge can be opened again at once.
TEST_F(WiFiBridgeTest, ClosingCancelsTheExchangeInProgress)
{
    connectBridge();
    bridge.simulator().setReplyDelay(2500ms);
    std::optional<Exchange> result;
    std::thread worker([&] { result = exchange(kRequest, quint16(kAnswer.size())); });
    ASSERT_TRUE(QTest::qWaitFor([this] { return !bridge.simulator().received().isEmpty(); }, 5000));

    MainThreadWatchdog watchdog;
    watchdog.start();
    QElapsedTimer clock;
    clock.start();
    serial.cancelWiFi();
    EXPECT_LT(watchdog.longestStall(), 100ms) << "the cancel does not wait for the exchange";
    EXPECT_EQ(view.status, "Connect Canceled");
    worker.join();
    ASSERT_TRUE(result);
    EXPECT_FALSE(result->ok);
    EXPECT_EQ(result->count, kTransReadError);
    // Well inside the bridge's own two-second time-out.
    EXPECT_LT(clock.elapsed(), 1000);
    EXPECT_FALSE(serial.hasWiFi());
}
