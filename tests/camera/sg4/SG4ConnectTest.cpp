#include "SG4Fixture.h"

#include "support/OtherProgramsLock.h"
#include "support/PtyDevice.h"

#include "platform/DebugLog.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

// Connecting, the commands' framing and the speed change against the simulated camera.
class SG4Connect : public SG4Fixture {
protected:
    // A second controller whose debug lines go to a log of its own.
    struct Logged {
        explicit Logged(SerialControl& serial)
            : log(folder.path()), writer([] { return true; }, &log), control(serial, writer, fastTiming()),
              worker(control)
        {
            control.setWorker(&worker);
        }
        ~Logged() { control.sg4Disconnect(); }
        QString text() const
        {
            QFile file(log.path());
            return file.open(QIODevice::ReadOnly) ? QString::fromLatin1(file.readAll()) : QString();
        }
        QTemporaryDir folder;
        const DebugLog log;
        DebugWriter writer;
        SG4Control control;
        TestSG4Worker worker;
    };
};

TEST_F(SG4Connect, TestCommandGoesOutFramedAndTheGuiderIsRead)
{
    device.setVersion(0x82, 7);
    device.setGuider(300, 20, 255, 128);
    ASSERT_TRUE(connect());
    EXPECT_TRUE(control.isSG4Connect());
    EXPECT_FALSE(control.isAllSkyConnect());
    ASSERT_FALSE(device.commands().isEmpty());
    EXPECT_EQ(device.commands().first(), QByteArray("\x45\x3A", 2));
    EXPECT_EQ(control.versionStr(), "T2.7");
    EXPECT_EQ(sg4Panel.title, "SG-4  T2.7");
    EXPECT_EQ(sg4Panel.values.maxMove, 300);
    EXPECT_EQ(sg4Panel.values.minMove, 20);
    EXPECT_EQ(sg4Panel.values.xGainPercent, 100);
    EXPECT_EQ(sg4Panel.values.yGainPercent, 50);
    EXPECT_TRUE(sg4Panel.visible);
    // Connecting again disconnects.
    EXPECT_TRUE(control.initSG4Port());
    EXPECT_FALSE(control.isSG4Connecting());
    EXPECT_FALSE(control.isSG4Connect());
    EXPECT_EQ(serial.serialRefNum(kSerialSlotSG4), -1);
    EXPECT_FALSE(sg4Panel.visible);
}

TEST_F(SG4Connect, AllSkyTitlesItsOwnPanel)
{
    ASSERT_TRUE(connect(true));
    EXPECT_TRUE(control.isAllSkyConnect());
    EXPECT_EQ(allSkyPanel.title, "AllSky  V2.5");
    EXPECT_EQ(allSkyPanel.speed, 9600);
    EXPECT_EQ(sg4Panel.title, "");
}

TEST_F(SG4Connect, ExposureTimesAreSentAsCountsOrRefusedUnsent)
{
    ASSERT_TRUE(connect());
    const auto takeImage = [this] { return outcome([this](auto then) { return control.sg4TakeImageCmd(then); }); };
    control.setSG4ExpSec(1.5f);
    EXPECT_EQ(takeImage(), true);
    EXPECT_EQ(device.lastExposureUnits(), 15000u);
    EXPECT_EQ(device.commands().last().mid(1, 3), QByteArray("\x00\x3A\x98", 3));
    EXPECT_EQ(outcome([this](auto then) { return control.sg4AbortImageCmd(then); }), true);
    const int sent = commandsOf('T');
    control.setSG4ExpSec(655.36f);
    EXPECT_EQ(takeImage(), std::nullopt);
    control.setSG4ExpSec(-1.0f);
    EXPECT_EQ(takeImage(), std::nullopt);
    EXPECT_EQ(commandsOf('T'), sent);
    control.setSG4ExpSec(0.0f);
    EXPECT_EQ(takeImage(), true);
    EXPECT_EQ(device.lastExposureUnits(), 0u);
}

TEST_F(SG4Connect, GainsInPercentAreSentAsAggressiveness)
{
    ASSERT_TRUE(connect());
    const auto lastGain = [this] { return quint8(device.commands().last().at(1)); };
    control.sg4SetupAction(SG4Control::kTagXGain, 50);
    settle();
    EXPECT_EQ(device.commands().last().front(), 'Z');
    EXPECT_EQ(lastGain(), 127);
    control.sg4SetupAction(SG4Control::kTagYGain, 100);
    settle();
    EXPECT_EQ(device.commands().last().front(), 'Y');
    EXPECT_EQ(lastGain(), 255);
    control.sg4SetupAction(SG4Control::kTagXGain, 250);
    settle();
    EXPECT_EQ(lastGain(), 255);
    control.sg4SetupAction(SG4Control::kTagMaxMove, 1234);
    settle();
    EXPECT_EQ(device.commands().last(), SG4Protocol::frame('M', QByteArray("\x04\xD2", 2)));
}

TEST_F(SG4Connect, GainEditsTakeTheDevicesTwoByteReply)
{
    Logged logged(serial);
    ASSERT_TRUE(connectWith(logged.control));
    logged.control.sg4SetupAction(SG4Control::kTagXGain, 50);
    logged.control.sg4SetupAction(SG4Control::kTagYGain, 20);
    // The setting after them is not held up by a reply still awaited.
    logged.control.sg4SetupAction(SG4Control::kTagMaxMove, 300);
    ASSERT_TRUE(QTest::qWaitFor([&] { return logged.control.pendingExchanges() == 0; }, 20000));
    EXPECT_EQ(device.commands().last(), SG4Protocol::frame('M', QByteArray("\x01\x2C", 2)));
    const QString text = logged.text();
    EXPECT_TRUE(text.contains("SG-4 sg4SetXAggressiveCmd"));
    EXPECT_TRUE(text.contains("SG-4 sg4SetYAggressiveCmd"));
    EXPECT_FALSE(text.contains("AggressiveCmd: transaction error"));
    EXPECT_FALSE(text.contains("AggressiveCmd: checksum error"));
    EXPECT_EQ(alerts.beeps, 0);
}

TEST_F(SG4Connect, DirectionButtonsHoldTheirRelayUntilReleased)
{
    ASSERT_TRUE(connect());
    control.sg4ScopeAction(SG4Control::kTagUp, true);
    settle();
    EXPECT_EQ(device.relays(), SG4Protocol::kRelayYPlus);
    control.sg4ScopeAction(SG4Control::kTagUp, false);
    settle();
    EXPECT_EQ(device.relays(), 0);
    control.sg4ScopeAction(SG4Control::kTagLeft, true);
    settle();
    EXPECT_EQ(device.relays(), SG4Protocol::kRelayXMinus);
    control.sg4ScopeAction(SG4Control::kTagLeft, false);
    // The AllSky camera has no guide relays to press.
    control.sg4Disconnect();
    ASSERT_TRUE(connect(true));
    const int sent = commandsOf('g');
    control.sg4ScopeAction(SG4Control::kTagRight, true);
    settle();
    EXPECT_EQ(commandsOf('g'), sent);
}

TEST_F(SG4Connect, ChosenPortAtTheStoredSpeed)
{
    worker.port = 1;
    device.setSpeed(19200);
    control.setSG4Baud(19200);
    ASSERT_TRUE(connect());
    EXPECT_EQ(control.sg4Port(), 1);
    EXPECT_EQ(storedBaud, 0) << "a speed that was already stored is not stored again";
}

TEST_F(SG4Connect, WithNoPortChosenEveryPortAtTheStoredSpeedThenEverySpeed)
{
    // A first port whose device answers nothing sensible at any speed.
    PtyDevice other;
    QByteArray seen;
    other.simulator().respond([&seen](const QByteArray& pending) {
        seen += pending;
        return DeviceSimulator::Response{pending.size(), {{QByteArray(2, char(0xFF)), {}}}};
    });
    other.start();
    serial.setExtraPorts({other.path(), pty.path()});
    device.setSpeed(57600);
    control.setSG4Baud(9600);
    ASSERT_TRUE(connect());
    EXPECT_EQ(control.sg4Port(), 2);
    EXPECT_EQ(control.sg4Baud(), 57600);
    EXPECT_EQ(storedBaud, 57600);
    EXPECT_EQ(sg4Panel.speed, 57600);
    // Once at the stored speed, then at each of the seven.
    EXPECT_EQ(seen.count(QByteArray("\x45\x3A", 2)), 8);
    control.sg4Disconnect();
    other.closeMaster();
}

TEST_F(SG4Connect, NoAnsweringPortLeavesTheSlotClosed)
{
    // A speed none of the seven reaches.
    device.setSpeed(4800);
    EXPECT_FALSE(connect());
    EXPECT_EQ(serial.serialRefNum(kSerialSlotSG4), -1);
    EXPECT_FALSE(control.isSG4Connect());
}

TEST_F(SG4Connect, SpeedChangeMovesBothSidesAndIsStored)
{
    ASSERT_TRUE(connect());
    control.sg4SetupAction(SG4Control::kTagSpeed, 6);
    settle();
    EXPECT_EQ(control.sg4Baud(), 115200);
    EXPECT_EQ(device.speed(), 115200);
    EXPECT_EQ(storedBaud, 115200);
    EXPECT_EQ(sg4Panel.speed, 115200);
    EXPECT_EQ(lineSpeedOf(serial), B115200);
    EXPECT_TRUE(line.sg4TestComCmd());
}

TEST_F(SG4Connect, FailedSpeedTestsTakeTheHostBackToTheOldSpeed)
{
    ASSERT_TRUE(connect());
    device.setSpeedTest(SG4Simulator::SpeedTest::Wrong);
    EXPECT_EQ(outcome([this](auto then) { return control.sg4SetBaudRateCmd(38400, then); }), false);
    EXPECT_EQ(lineSpeedOf(serial), B9600);
    EXPECT_EQ(control.sg4Baud(), 9600);
    EXPECT_EQ(storedBaud, 0);
    // The device did switch: only the speed scan finds it again.
    EXPECT_FALSE(line.sg4TestComCmd());
    device.setSpeed(9600);
    device.setSpeedTest(SG4Simulator::SpeedTest::Silent);
    const int beeps = alerts.beeps;
    control.sg4SetupAction(SG4Control::kTagSpeed, 7);
    settle();
    EXPECT_EQ(alerts.beeps, beeps + 1);
    EXPECT_EQ(lineSpeedOf(serial), B9600);
    EXPECT_EQ(sg4Panel.speed, 9600);
    EXPECT_FALSE(control.sg4SetBaudRateCmd(4800)) << "not a speed of the device: refused unsent";
}

TEST_F(SG4Connect, ASilentDeviceFailsItsCommandsWithinTheExchangeLimit)
{
    ASSERT_TRUE(connect());
    device.setSilent(true);
    QElapsedTimer clock;
    clock.start();
    EXPECT_FALSE(line.sg4GetVersionCmd());
    EXPECT_LT(clock.elapsed(), 10000);
    EXPECT_EQ(control.versionStr(), "V2.5") << "the version read at connect stays";
    device.setSilent(false);
    EXPECT_TRUE(line.sg4TestComCmd());
}

TEST_F(SG4Connect, DebugLinesNameEachCommandAndDumpAWrongEcho)
{
    Logged logged(serial);
    ASSERT_TRUE(connectWith(logged.control));
    // The device moves to another speed: its bytes arrive as noise.
    device.setSpeed(19200);
    const SG4Exchange loggedLine(serial, logged.writer);
    EXPECT_FALSE(loggedLine.sg4TestComCmd());
    logged.control.setSG4ExpSec(1.5f);
    std::optional<bool> started;
    ASSERT_TRUE(logged.control.sg4TakeImageCmd([&started](bool ok) { started = ok; }));
    EXPECT_TRUE(QTest::qWaitFor([&started] { return started.has_value(); }, 20000));
    EXPECT_EQ(started, false);
    const QString text = logged.text();
    EXPECT_TRUE(text.contains("SG-4 sg4TestComCmd"));
    EXPECT_TRUE(text.contains("SG-4 sg4TestComCmd: checksum error"));
    EXPECT_TRUE(text.contains("dump: FF FF"));
    EXPECT_TRUE(text.contains("SG-4 sg4TakeImageCmd byte1: 0x0, byte2: 0x3a, byte3: 0x98"));
    EXPECT_TRUE(text.contains("SG-4 version: V2.5"));
}

// The only port another program holds is never asked, and either camera's
// alert says it is in use rather than that the camera was silent.
TEST_F(SG4Connect, TheOnlyPortHeldByAnotherProgramIsSaidToBeInUse)
{
    const OtherProgramsLock lock(pty);
    ASSERT_TRUE(lock.holds());
    const QString inUse = pty.path().mid(5) + " is in use by another program.";
    EXPECT_FALSE(connect());
    EXPECT_FALSE(connect(true));
    ASSERT_EQ(alerts.alerts.size(), 2u);
    EXPECT_EQ(alerts.alerts[0].title, "SBIG SG-4 connection failed.");
    EXPECT_EQ(alerts.alerts[0].message, inUse);
    EXPECT_EQ(alerts.alerts[1].title, "SBIG AllSky connection failed.");
    EXPECT_EQ(alerts.alerts[1].message, inUse);
    EXPECT_TRUE(device.commands().isEmpty());
}
