#include "SerialFixture.h"

#include "mount/links/RoboFocusPosition.h"

#include <atomic>
#include <functional>
#include <optional>
#include <thread>

namespace {

using namespace std::chrono_literals;

class FakeRobo : public RoboFocusPosition {
public:
    quint16 roboPosition() const override { return position; }
    void setRoboPosition(quint16 steps) override { position = steps; }
    quint16 roboMax() const override { return 5000; }
    void setIsRoboMove(bool moving) override { isMoving = moving; }

    quint16 position = 0;
    bool isMoving = false;
};

// A device that never stops talking: one byte every 10 ms, until destroyed.
class Trickle {
public:
    Trickle(DeviceSimulator& device, char byte)
        : m_thread([this, &device, byte] {
              while (!m_stop) {
                  device.send(QByteArray(1, byte));
                  std::this_thread::sleep_for(10ms);
              }
          })
    {
    }
    ~Trickle()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    std::atomic<bool> m_stop = false;
    std::thread m_thread;
};

}  // namespace

class SerialReadersTest : public SerialFixture {
protected:
    // The device on `slot` says `bytes` unasked; gives the pty time to carry them.
    void says(quint16 slot, const QByteArray& bytes)
    {
        if (serial.serialRefNum(slot) < 0)
            open(slot);
        device().simulator().send(bytes);
        std::this_thread::sleep_for(20ms);
    }
};

TEST_F(SerialReadersTest, OptecReadingsOutOfRangeOrCutShortAreNotTaken)
{
    struct Case {
        QByteArray stream;
        quint16 units;
        float temp;
    };
    const std::vector<Case> cases = {
        {"P=1234\n\rT=+21.5\n\r", 1234, 21.5f},
        {"P=7001\n\r", 1234, 21.5f},
        {"T=150.0\n\r", 1234, -200.0f},
        {"P=0042\n\rT=-05.0", 42, -5.0f},
        {"P=99", 42, -5.0f},        // cut off by the end of the read
        {"P=ab12\n\r", 42, -5.0f},
        {"P=12\n\rT=+21.5\n\r", 42, 21.5f},  // two digits lost on the way
        {"P=12345\n\r", 42, 21.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stream.constData());
        says(kSerialSlotFocuser, c.stream);
        EXPECT_EQ(serial.readOptecStream(reply), c.stream.size());
        EXPECT_EQ(serial.optecUnits(), c.units);
        EXPECT_FLOAT_EQ(serial.optecTemp(), c.temp);
    }
    EXPECT_EQ(serial.readOptecStream(reply), 0);
}

TEST_F(SerialReadersTest, RoboFocusCountsStepsWithinTheBytesRead)
{
    FakeRobo robo;
    serial.setRoboControl(&robo);
    struct Case {
        quint16 from;
        QByteArray stream;
        quint16 position;
        bool moving;
    };
    const std::vector<Case> cases = {
        {2, "IIIII", 2, true},
        {100, "OOO", 103, true},
        {4998, "OOOOO", 5000, true},
        {100, "OOFD012345", 12345, false},
        // A record cut short: the stale digits after it in the buffer are not read.
        {100, "OFD01", 101, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stream.constData());
        reply.fill('9');
        robo.position = c.from;
        robo.isMoving = false;
        says(kSerialSlotFocuser, c.stream);
        EXPECT_TRUE(serial.readRoboFocus(reply));
        EXPECT_EQ(robo.position, c.position);
        EXPECT_EQ(robo.isMoving, c.moving);
    }
    robo.isMoving = true;
    EXPECT_FALSE(serial.readRoboFocus(reply));
    EXPECT_FALSE(robo.isMoving);
}

// The move's end record comes in two pieces with a pause between: the
// reader waits for its rest rather than counting the echoes alone.
TEST_F(SerialReadersTest, RoboFocusReadsAnEndRecordCutByAPauseWhole)
{
    FakeRobo robo;
    serial.setRoboControl(&robo);
    robo.position = 100;
    says(kSerialSlotFocuser, "OOFD01");
    std::thread rest([this] {
        std::this_thread::sleep_for(60ms);
        device().simulator().send("2345\x5a");
    });
    EXPECT_TRUE(serial.readRoboFocus(reply));
    rest.join();
    EXPECT_EQ(robo.position, 12345);
    EXPECT_FALSE(robo.isMoving);
}

TEST_F(SerialReadersTest, JMIAcknowledgesOnEitherByte)
{
    for (const auto& [stream, acknowledged] :
         {std::pair<QByteArray, bool>{"xxc", true}, {"r", true}, {"zz", false}, {"", false}}) {
        SCOPED_TRACE(stream.constData());
        says(kSerialSlotFocuser, stream);
        EXPECT_EQ(serial.readJMIStream(), acknowledged);
    }
}

TEST_F(SerialReadersTest, SG4ImageSkipsLoneStatusBytesAndEndsAtItsTimeOut)
{
    open(kSerialSlotSG4);
    DeviceSimulator& camera = device().simulator();
    std::array<char, 4> image{};
    qint64 count = 0;

    struct Case {
        std::vector<QByteArray> bursts;
        bool skip;
        QByteArray image;
    };
    const std::vector<Case> cases = {
        {{"E", "ABCD"}, true, "ABCD"},
        {{"R", "ABCD"}, true, "ABCD"},
        {{"E", "ABCD"}, false, "EABC"},
        {{"EAB", "CD"}, true, "EABC"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.image.constData());
        std::thread talker([&] {
            for (const QByteArray& burst : c.bursts) {
                camera.send(burst);
                std::this_thread::sleep_for(30ms);
            }
        });
        EXPECT_TRUE(serial.getSG4Image(image, 4, count, 2.0f, c.skip));
        talker.join();
        EXPECT_EQ(count, 4);
        EXPECT_EQ(QByteArray(image.data(), 4), c.image);
        serial.clearSerialBuffer(kSerialSlotSG4);
    }

    std::array<char, 10> partial{};
    camera.send("abc");
    EXPECT_FALSE(serial.getSG4Image(partial, 10, count, 0.3f, true));
    EXPECT_EQ(count, -3);
    EXPECT_TRUE(serial.isSG4Timeout());
}

TEST_F(SerialReadersTest, SG4StatusReaders)
{
    says(kSerialSlotSG4, "..D");
    EXPECT_TRUE(serial.isSG4ExpDone());
    EXPECT_FALSE(serial.isSG4ExpDone());

    says(kSerialSlotSG4, "Z");
    EXPECT_EQ(serial.getSG4Byte(), 'Z');
    EXPECT_EQ(serial.getSG4Byte(), 0);

    std::array<char, 600> response{};
    says(kSerialSlotSG4, "status");
    EXPECT_EQ(serial.getSG4Response(response), 6);
    std::array<char, 500> tooSmall{};
    EXPECT_EQ(serial.getSG4Response(tooSmall), -1);
}

// A disconnect while the worker waits for an image block: the reader gives
// up at once, and the port closes as it lets go, never under it, so its
// descriptor is not handed to another device's port meanwhile.
TEST_F(SerialReadersTest, ClosingTheSG4SlotDuringABlockEndsTheReadThenCloses)
{
    PtyDevice focuser;
    focuser.start();
    device().start();
    serial.setExtraPorts({device().path(), focuser.path()});
    serial.getPortNames();
    ASSERT_TRUE(serial.openSerialDriver(0, 9600, false, kSerialSlotSG4));
    std::array<char, 16> block{};
    qint64 count = 0;
    std::atomic<bool> reading = false;
    std::atomic<bool> read = true;
    std::atomic<qint64> waited = 0;
    std::thread worker([&] {
        const auto start = std::chrono::steady_clock::now();
        reading = true;
        read = serial.getSG4Image(block, qint64(block.size()), count, 10.0f, false);
        waited = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start).count();
    });
    while (!reading)
        std::this_thread::sleep_for(1ms);
    std::this_thread::sleep_for(100ms);
    serial.closeSerialDriver(kSerialSlotSG4);
    ASSERT_TRUE(serial.openSerialDriver(1, 9600, false, kSerialSlotFocuser));
    focuser.simulator().send(QByteArray(16, 'F'));
    worker.join();
    EXPECT_FALSE(read) << "the focuser's bytes never reach the SG-4 reader";
    EXPECT_LT(waited, 5000) << "not the block's 10 s limit";
    EXPECT_EQ(serial.serialRefNum(kSerialSlotSG4), -1);
    serial.closeSerialDriver(kSerialSlotFocuser);
    focuser.closeMaster();
}

// The focuser's and the dome controller's readers hold their slot as the
// SG-4's do: a close while one reads ends it at its next read and the port
// closes as it lets go, so a port opened meanwhile never gets its number
// while the reader still uses it.
TEST_F(SerialReadersTest, ClosingASlotDuringAReadEndsItBeforeThePortGoes)
{
    const struct {
        const char* name;
        quint16 slot;
        std::function<bool()> read;  // true when the other device's bytes were taken
    } readers[] = {
        {"JMI", kSerialSlotFocuser, [&] { return serial.readJMIStream(); }},
        {"Optec", kSerialSlotFocuser,
         [&] { return serial.readOptecStream(reply) > 0 && serial.optecUnits() == 1234; }},
        {"DDW", kSerialSlotDDW, [&] { return serial.readDDWStream(reply) > 0; }},
    };
    for (const auto& reader : readers) {
        SCOPED_TRACE(reader.name);
        PtyDevice stream;
        PtyDevice other;
        stream.start();
        other.start();
        serial.setExtraPorts({stream.path(), other.path()});
        serial.getPortNames();
        ASSERT_TRUE(serial.openSerialDriver(0, 9600, false, reader.slot));
        std::atomic<bool> taken = true;
        std::atomic<bool> reading = false;
        std::optional<Trickle> noise;
        noise.emplace(stream.simulator(), 'x');
        std::thread worker([&] {
            reading = true;
            taken = reader.read();
        });
        while (!reading)
            std::this_thread::sleep_for(1ms);
        std::this_thread::sleep_for(20ms);
        serial.closeSerialDriver(reader.slot);
        ASSERT_TRUE(serial.openSerialDriver(1, 9600, false, kSerialSlotSG4));
        other.simulator().babble("cP=1234VrV", 5ms);
        worker.join();
        noise.reset();
        EXPECT_FALSE(taken) << "the other device's bytes never reach the reader";
        EXPECT_EQ(serial.serialRefNum(reader.slot), -1);
        serial.closeSerialDriver(kSerialSlotSG4);
        other.closeMaster();
        stream.closeMaster();
    }
}

TEST_F(SerialReadersTest, DDWRecordStartsAtVAndIsTerminatedWithinTheBuffer)
{
    says(kSerialSlotDDW, "noiseV1,2,3\r");
    EXPECT_EQ(serial.readDDWStream(reply), 7);
    EXPECT_STREQ(reply.data(), "V1,2,3\r");

    says(kSerialSlotDDW, "V" + QByteArray(3000, '1'));
    EXPECT_EQ(serial.readDDWStream(reply), kReplyBufferSize - 1);
    EXPECT_EQ(reply.back(), '\0');
    serial.clearSerialBuffer(kSerialSlotDDW);

    says(kSerialSlotDDW, "no record");
    EXPECT_EQ(serial.readDDWStream(reply), 0);
}

TEST_F(SerialReadersTest, ReadersGiveTheirFailureWhileTheBridgeIsInUse)
{
    FakeRobo robo;
    serial.setRoboControl(&robo);
    says(kSerialSlotFocuser, "Dcr");
    serial.setIsWiFi(true);
    EXPECT_EQ(serial.readOptecStream(reply), 0);
    EXPECT_FALSE(serial.readRoboFocus(reply));
    EXPECT_FALSE(serial.readJMIStream());
    EXPECT_TRUE(serial.isSG4ExpDone());
    EXPECT_EQ(serial.getSG4Byte(), 0);
    EXPECT_EQ(serial.readDDWStream(reply), 0);
}

TEST_F(SerialReadersTest, EveryReaderEndsWithinItsLimitOnAnEndlessStream)
{
    std::array<char, 1024> response{};
    const struct {
        const char* name;
        quint16 slot;
        std::function<void()> read;
    } readers[] = {
        {"Optec", kSerialSlotFocuser, [&] { serial.readOptecStream(reply); }},
        {"JMI", kSerialSlotFocuser, [&] { EXPECT_FALSE(serial.readJMIStream()); }},
        {"SG-4 done", kSerialSlotSG4, [&] { EXPECT_FALSE(serial.isSG4ExpDone()); }},
        {"SG-4 response", kSerialSlotSG4, [&] { serial.getSG4Response(response); }},
        {"DDW", kSerialSlotDDW, [&] { EXPECT_EQ(serial.readDDWStream(reply), 0); }},
    };
    for (const auto& reader : readers) {
        SCOPED_TRACE(reader.name);
        pty.reset();
        open(reader.slot);
        // No record start and no pause long enough to read as the end.
        const Trickle noise(device().simulator(), 'x');
        const auto start = std::chrono::steady_clock::now();
        reader.read();
        // 120 ticks of 1 ms and a last read's wait, with room for a loaded machine.
        EXPECT_LT(std::chrono::steady_clock::now() - start, 2s);
        serial.closeSerialDriver(reader.slot);
    }
}
