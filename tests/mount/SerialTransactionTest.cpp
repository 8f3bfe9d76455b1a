#include "SerialFixture.h"

#include "mount/PortIO.h"

#include <functional>

namespace {

using namespace std::chrono_literals;

const QByteArray kRequest = ":GR#";
const QByteArray kAnswer = "12:34:56#";

struct ResultCase {
    const char* name;
    std::function<void(DeviceSimulator&)> fault;
    bool closeMaster;
    bool ok;
    qint32 count;
};

}  // namespace

using SerialTransactionTest = SerialFixture;

TEST_F(SerialTransactionTest, ResultCodesFollowWhatTheDeviceDoes)
{
    const std::vector<ResultCase> cases = {
        {"answers", [](DeviceSimulator&) {}, false, true, 9},
        {"short reply", [](DeviceSimulator& d) { d.shortenReplies(4); }, false, false,
         kTransShortReply},
        {"garbage", [](DeviceSimulator& d) { d.garbleReplies("\xff\x01"); }, false, false,
         kTransShortReply},
        // The tail after a long pause is not waited for.
        {"split by a long gap", [](DeviceSimulator& d) { d.splitReplies(4, 400ms); }, false, false,
         kTransShortReply},
        {"no answer", [](DeviceSimulator& d) { d.dropAnswers(); }, false, false, kTransTimeout},
        {"master closed", [](DeviceSimulator&) {}, true, false, kTransWriteFailed},
    };
    for (const ResultCase& c : cases) {
        SCOPED_TRACE(c.name);
        PtyDevice device;
        device.simulator().answer(kRequest, kAnswer);
        device.simulator().setReplyDelay(10ms);
        c.fault(device.simulator());
        device.start();
        serial.setExtraPorts({device.path()});
        serial.getPortNames();
        ASSERT_TRUE(serial.openSerialDriver(0, 9600, false, kSerialSlotScope));
        if (c.closeMaster)
            device.closeMaster();
        const Exchange result = exchange(kRequest, quint16(kAnswer.size()));
        EXPECT_EQ(result.ok, c.ok);
        EXPECT_EQ(result.count, c.count);
        if (c.ok) {
            EXPECT_EQ(replyText(result.count), kAnswer);
        }
        serial.closeSerialDriver(kSerialSlotScope);
    }
}

TEST_F(SerialTransactionTest, DeviceThatFallsSilentTimesOutAndPortStaysOpen)
{
    device().simulator().answer(kRequest, kAnswer);
    device().simulator().stopAnsweringAfter(1);
    open(kSerialSlotScope);
    EXPECT_TRUE(exchange(kRequest, 9).ok);
    const Exchange second = exchange(kRequest, 9);
    EXPECT_FALSE(second.ok);
    EXPECT_EQ(second.count, kTransTimeout);
    EXPECT_GE(serial.serialRefNum(kSerialSlotScope), 0);
    EXPECT_EQ(device().simulator().received(), kRequest + kRequest);
}

// A silent device costs the exchange its 40 cycles of 3 ticks and no more:
// a cycle never also waits for a first byte (0.1 s on the serial slots).
TEST_F(SerialTransactionTest, ASilentDeviceCostsFortyCyclesOfThreeTicks)
{
    device().simulator().dropAnswers();
    open(kSerialSlotFocuser);
    const auto start = std::chrono::steady_clock::now();
    const Exchange silent = exchange(kRequest, 9, kSerialSlotFocuser);
    const auto spent = std::chrono::steady_clock::now() - start;
    EXPECT_EQ(silent.count, kTransTimeout);
    // 120 ticks of 1 ms here; forty first-byte waits would add 4 s.
    EXPECT_LT(spent, std::chrono::seconds(2));
}

TEST_F(SerialTransactionTest, WriteOnlyAndReadOnlyExchanges)
{
    device().simulator().answer(kRequest, kAnswer);
    // Half of the 40 cycles of 3 ticks.
    device().simulator().setReplyDelay(60ms);
    open(kSerialSlotScope);

    // No reply expected: back right after the write, count as written.
    const Exchange written = exchange(kRequest, 0);
    EXPECT_TRUE(written.ok);
    EXPECT_EQ(written.count, kRequest.size());

    // A count of 0 writes nothing and reads the reply still on its way.
    const Exchange read = exchange(QByteArray(), quint16(kAnswer.size()));
    EXPECT_TRUE(read.ok);
    EXPECT_EQ(replyText(read.count), kAnswer);
    EXPECT_EQ(device().simulator().received(), kRequest);
}

// A device that takes any byte during its move as a stop: while it keeps
// sending, an exchange that needs a quiet line writes nothing however long
// the drain owed after a bad reply has run, and tries again once it is quiet.
TEST_F(SerialTransactionTest, AQuietLineWriteWaitsOutADeviceThatKeepsSending)
{
    device().simulator().answer(kRequest, kAnswer);
    open(kSerialSlotFocuser);
    const auto quietExchange = [this] {
        qint32 count = qint32(kRequest.size());
        SerialControl::QuietLine line;
        const bool ok = serial.transaction(quint16(kAnswer.size()), count, kRequest.constData(), reply,
                                           kSerialSlotFocuser, {}, &line);
        return Exchange{ok, count};
    };
    serial.markReplyBad(kSerialSlotFocuser);
    device().simulator().babble("O", 2ms);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const Exchange busy = quietExchange();
        EXPECT_FALSE(busy.ok);
        EXPECT_EQ(busy.count, kTransLineBusy);
    }
    device().simulator().babble({}, {});
    EXPECT_TRUE(deviceHeardAll());
    EXPECT_FALSE(device().simulator().received().contains(kRequest));

    const Exchange quiet = quietExchange();
    EXPECT_TRUE(quiet.ok);
    EXPECT_EQ(replyText(quiet.count), kAnswer);
}

// A quiet-line write drops nothing unseen: what waits ahead of it is read,
// drained until the line falls quiet, and handed back. The device's motion
// among it writes nothing; other bytes let the write go once the line is quiet.
TEST_F(SerialTransactionTest, AQuietLineWriteHandsBackWhatItReadAheadAndWritesNothingOnMotion)
{
    device().simulator().answer(kRequest, kAnswer);
    open(kSerialSlotFocuser);
    const int fd = serial.serialRefNum(kSerialSlotFocuser);
    const auto quietExchange = [this](SerialControl::QuietLine& line) {
        qint32 count = qint32(kRequest.size());
        const bool ok = serial.transaction(quint16(kAnswer.size()), count, kRequest.constData(), reply,
                                           kSerialSlotFocuser, {}, &line);
        return Exchange{ok, count};
    };
    const auto isMotion = [](QByteArrayView ahead) { return ahead.contains('O'); };

    device().simulator().send("xO");
    ASSERT_TRUE(eventually([fd] { return PortIO::hasPending(fd); }));
    SerialControl::QuietLine moving{isMotion, {}};
    const Exchange refused = quietExchange(moving);
    EXPECT_FALSE(refused.ok);
    EXPECT_EQ(refused.count, kTransMoving);
    EXPECT_EQ(moving.ahead, "xO");
    EXPECT_TRUE(deviceHeardAll());
    EXPECT_FALSE(device().simulator().received().contains(kRequest));

    device().simulator().send("xx");
    ASSERT_TRUE(eventually([fd] { return PortIO::hasPending(fd); }));
    SerialControl::QuietLine stray{isMotion, {}};
    const Exchange written = quietExchange(stray);
    EXPECT_TRUE(written.ok);
    EXPECT_EQ(stray.ahead, "xx");
    EXPECT_EQ(replyText(written.count), kAnswer);
}

TEST_F(SerialTransactionTest, ReplyLengthsAreKeptWithinTheBuffer)
{
    const QByteArray huge(3000, 'x');
    device().simulator().answer(kRequest, kAnswer);
    device().simulator().answer(":big#", huge);
    open(kSerialSlotScope);

    // More than expected is kept and counted.
    const Exchange longer = exchange(kRequest, 3);
    EXPECT_TRUE(longer.ok);
    EXPECT_EQ(replyText(longer.count), kAnswer);

    // A reply larger than the buffer fills it and stops there.
    const Exchange full = exchange(":big#", 100);
    EXPECT_TRUE(full.ok);
    EXPECT_EQ(full.count, kReplyBufferSize);
    EXPECT_EQ(replyText(full.count), huge.left(kReplyBufferSize));
}

TEST_F(SerialTransactionTest, DomeReplyEndsAtItsCarriageReturnNotAtAPause)
{
    device().simulator().answer("!s", "OK\r");
    device().simulator().answer("!p", "0,1\r");
    device().simulator().splitReplies(2, 40ms);
    open(kSerialSlotDome);
    const Exchange first = exchange("!s", 1, kSerialSlotDome);
    EXPECT_TRUE(first.ok);
    EXPECT_EQ(replyText(first.count), "OK\r");
    const Exchange second = exchange("!p", 1, kSerialSlotDome);
    EXPECT_TRUE(second.ok);
    EXPECT_EQ(replyText(second.count), "0,1\r");
}

// A board behind a slow adapter on a loaded machine answers late: the
// exchange waits for it rather than taking it for a board that is gone.
TEST_F(SerialTransactionTest, DomeReplyThatComesLateIsStillTaken)
{
    device().simulator().answer("A!0", "170\r");
    device().simulator().setReplyDelay(300ms);
    open(kSerialSlotDome);
    const Exchange late = exchange("A!0", 4, kSerialSlotDome);
    EXPECT_TRUE(late.ok);
    EXPECT_EQ(replyText(late.count), "170\r");
}

TEST_F(SerialTransactionTest, ClosedOrUnknownSlotsLeaveTheCountAlone)
{
    for (const quint16 slot : {quint16(0), kSerialSlotFocuser, quint16(6)}) {
        SCOPED_TRACE(slot);
        qint32 count = 4;
        EXPECT_FALSE(serial.transaction(9, count, ":GR#", reply, slot));
        EXPECT_EQ(count, 4);
    }
    device().start();
    EXPECT_FALSE(serial.openSerialDriver(0, 9600, false, 6));
    EXPECT_FALSE(serial.openSerialDriver(1, 9600, false, kSerialSlotScope));
    // A speed the terminal has no code for.
    EXPECT_FALSE(serial.openSerialDriver(0, 12345, false, kSerialSlotScope));
    EXPECT_EQ(serial.serialRefNum(kSerialSlotScope), -1);
    EXPECT_TRUE(debugText().contains("openSerialDriver: fd= -1"));
    EXPECT_TRUE(debugText().contains("openSerialDriver: TCSAFLUSH failed"));
}
