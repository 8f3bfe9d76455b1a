#include "SerialFixture.h"
#include "platform/DeviceFolder.h"
#include "support/DeviceFolderAt.h"
#include "support/RecordingAlertPresenter.h"

#include <QDir>

#include "mount/SlotExchange.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <memory>
#include <vector>

namespace {

int openDescriptors()
{
    return int(QDir("/proc/self/fd").entryList(QDir::Files | QDir::System).size());
}

}  // namespace

using SerialPortsTest = SerialFixture;

TEST_F(SerialPortsTest, PortsAreSetRawWithTheirSlotsReadWait)
{
    struct Case {
        quint16 slot;
        bool evenParity;
        cc_t readWait;
    };
    for (const Case c : {Case{kSerialSlotScope, true, 1}, Case{kSerialSlotFocuser, false, 1},
                         Case{kSerialSlotDome, false, 0}}) {
        SCOPED_TRACE(c.slot);
        PtyDevice device;
        device.start();
        serial.setExtraPorts({device.path()});
        serial.getPortNames();
        ASSERT_TRUE(serial.openSerialDriver(0, 19200, c.evenParity, c.slot));

        const termios port = device.settings();
        EXPECT_EQ(port.c_cflag & CSIZE, tcflag_t(CS8));
        EXPECT_EQ(port.c_cflag & (CSTOPB | CREAD | CLOCAL), tcflag_t(CREAD | CLOCAL));
        EXPECT_EQ(port.c_lflag & (ICANON | ISIG | ECHO | ECHOE), 0u);
        EXPECT_EQ(port.c_oflag & OPOST, 0u);
        // Carriage returns and flow-control bytes come through as sent.
        EXPECT_EQ(port.c_iflag & (IXON | IXOFF | IXANY | ICRNL | INLCR | IGNCR), 0u);
        EXPECT_EQ(port.c_cc[VMIN], 0);
        EXPECT_EQ(port.c_cc[VTIME], c.readWait);

        // A pty drops parity, so the request is checked as the transport made it.
        const std::optional<termios> asked = serial.requestedSettings(c.slot);
        ASSERT_TRUE(asked.has_value());
        EXPECT_EQ((asked->c_cflag & PARENB) != 0, c.evenParity);
        EXPECT_EQ(asked->c_cflag & PARODD, 0u);
        EXPECT_EQ(cfgetospeed(&*asked), speed_t(B19200));
        serial.closeSerialDriver(c.slot);
        EXPECT_EQ(serial.serialRefNum(c.slot), -1);
    }
}

TEST_F(SerialPortsTest, SpeedChangesApplyToOpenSlotsOnly)
{
    open(kSerialSlotScope);
    EXPECT_TRUE(serial.setBaudRate(19200, kSerialSlotScope));
    const termios asked = serial.requestedSettings(kSerialSlotScope).value();
    EXPECT_EQ(cfgetospeed(&asked), speed_t(B19200));
    EXPECT_FALSE(serial.setBaudRate(19200, kSerialSlotFocuser));
    EXPECT_FALSE(serial.setBaudRate(1234, kSerialSlotScope));
}

TEST_F(SerialPortsTest, OpenPortIsHeldExclusively)
{
    open(kSerialSlotScope);
    if (geteuid() == 0)
        GTEST_SKIP() << "exclusive use of a terminal does not stop root";
    EXPECT_FALSE(serial.serialPortAvailable(0));
    EXPECT_FALSE(serial.openSerialDriver(0, 9600, false, kSerialSlotFocuser));
    serial.closeSerialDriver(kSerialSlotScope);
    EXPECT_TRUE(serial.serialPortAvailable(0));
}

// Running as root passes the exclusive-use lock: a device's scan must still
// skip every port the program holds for another device, leaving that
// device's line, speed and settings alone.
TEST_F(SerialPortsTest, AScanNeverOpensAPortHeldForAnotherDevice)
{
    PtyDevice focuser;
    focuser.simulator().answer("?", "!");
    focuser.start();
    device().simulator().answer("?", "!");
    device().start();
    serial.setExtraPorts({device().path(), focuser.path()});
    serial.getPortNames();
    ASSERT_TRUE(serial.openSerialDriver(0, 9600, false, kSerialSlotScope));

    EXPECT_FALSE(serial.serialPortAvailable(0));
    EXPECT_FALSE(serial.openSerialDriver(0, 19200, false, kSerialSlotSG4));
    const SlotExchange line(serial, kSerialSlotFocuser, 9600, {}, {});
    const quint16 found =
        line.firstAnswering(2, [&line] { return line.send("?", 1).value_or("") == "!"; });
    EXPECT_EQ(found, 2);
    EXPECT_TRUE(device().simulator().received().isEmpty());
    EXPECT_EQ(focuser.simulator().received(), "?");
    const termios mountLine = serial.requestedSettings(kSerialSlotScope).value();
    EXPECT_EQ(cfgetospeed(&mountLine), speed_t(B9600));
    EXPECT_EQ(exchange("?", 1).count, 1);
    serial.closeSerialDriver(kSerialSlotFocuser);
    focuser.closeMaster();
}

// Every open takes an advisory lock that root honours too: a line another
// program locked is refused, and one this program opened is locked.
TEST_F(SerialPortsTest, OpensTakeTheLinesAdvisoryLock)
{
    device().start();
    const QByteArray path = device().path().toLocal8Bit();
    const int other = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(other, 0);
    ASSERT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
    EXPECT_FALSE(serial.serialPortAvailable(0));
    EXPECT_FALSE(serial.openSerialDriver(0, 9600, false, kSerialSlotScope));
    EXPECT_TRUE(debugText().contains("openSerialDriver: flock failed"));

    flock(other, LOCK_UN);
    EXPECT_TRUE(serial.serialPortAvailable(0));
    ASSERT_TRUE(serial.openSerialDriver(0, 9600, false, kSerialSlotScope));
    EXPECT_NE(flock(other, LOCK_EX | LOCK_NB), 0);
    serial.closeSerialDriver(kSerialSlotScope);
    EXPECT_EQ(flock(other, LOCK_EX | LOCK_NB), 0);
    ::close(other);
}

TEST_F(SerialPortsTest, ReopeningASlotReleasesItsEarlierPort)
{
    open(kSerialSlotScope);
    const int before = openDescriptors();
    ASSERT_TRUE(serial.openSerialDriver(0, 9600, false, kSerialSlotScope));
    EXPECT_EQ(openDescriptors(), before);
}

TEST_F(SerialPortsTest, InjectedPortsAreListedUpToTen)
{
    std::vector<std::unique_ptr<PtyDevice>> devices;
    QStringList paths;
    for (int i = 0; i < 11; ++i) {
        devices.push_back(std::make_unique<PtyDevice>());
        paths.append(devices.back()->path());
    }
    serial.setExtraPorts(paths);
    serial.getPortNames(true);
    ASSERT_EQ(serial.maxPorts(), 10);
    EXPECT_EQ(serial.portNames().first(), paths.first().mid(5));
    EXPECT_FALSE(serial.portNames().contains(paths.last().mid(5)));
    EXPECT_TRUE(serial.serialPortAvailable(9));
    EXPECT_FALSE(serial.serialPortAvailable(10));

    // The same device under a second name is listed once.
    serial.setExtraPorts({paths[0], paths[0]});
    serial.getPortNames();
    EXPECT_EQ(serial.portNames().count(paths[0].mid(5)), 1);
}

TEST_F(SerialPortsTest, BridgeInUseKeepsSerialPortsShut)
{
    ScopedAlertRecorder alerts;
    device().start();
    serial.setIsWiFi(true);
    EXPECT_FALSE(serial.openSerialDriver(0, 9600, false, kSerialSlotFocuser));
    EXPECT_EQ(serial.serialRefNum(kSerialSlotFocuser), -1);
    EXPECT_TRUE(serial.serialPortAvailable(0));
    EXPECT_TRUE(serial.setBaudRate(9600, kSerialSlotScope));
    EXPECT_EQ(alerts.beeps, 1);
}

// The scan reads a device folder: the program's is /dev, a test program's an
// empty one of its own, so no test lists (or sends a byte to) a real port.
TEST_F(SerialPortsTest, TheScanListsTheDeviceFolderAndTestsSeeOnlyTheirOwnPorts)
{
    EXPECT_NE(DeviceFolder::path(), QStringLiteral("/dev"));
    device().start();
    serial.getPortNames(true);
    EXPECT_EQ(serial.portNames(), QStringList{pty->path().mid(5)});

    QTemporaryDir machine;
    const QDir dev(machine.path());
    for (const char* name : {"ttyUSB10", "ttyUSB2", "ttyUSB0", "ttyACM0", "ttyS0", "rfcomm0", "null"}) {
        QFile node(dev.filePath(name));
        ASSERT_TRUE(node.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(dev.mkpath("serial/by-id"));
    ASSERT_TRUE(QFile::link("../../ttyUSB2", dev.filePath("serial/by-id/usb-Maker_Adapter-if00")));
    const DeviceFolderAt folder(machine.path());

    serial.getPortNames();
    // The named link first, and its ttyUSB2 not again; numbers in numeric order.
    EXPECT_EQ(serial.portNames(), (QStringList{pty->path().mid(5), "usb-Maker_Adapter-if00",
                                               "ttyUSB0", "ttyUSB10", "ttyACM0"}));
    serial.getPortNames(true);
    EXPECT_EQ(serial.portNames().mid(5), (QStringList{"ttyS0", "rfcomm0"}));
}
