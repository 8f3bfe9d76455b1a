#include "camera/sg4/SG4Exchange.h"
#include "camera/sg4/SG4Protocol.h"
#include "focus/FocuserExchange.h"
#include "mount/SerialControl.h"
#include "mount/dome/DomeBoard.h"
#include "mount/families/MountExchange.h"
#include "support/PtyDevice.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <optional>

namespace {

using namespace std::chrono_literals;

// Each reply leaves the device this long after it is released: after the
// next exchange has begun, within the quiet that ends a reply.
constexpr auto kLate = 150ms;

// One shared exchange path of a device family: the slot it runs on, two
// requests and their replies, and the exchange that asks one of them.
struct SharedPath {
    const char* name;
    quint16 slot;
    QByteArray first, firstReply;
    QByteArray second, secondReply;
    // The reply as the path hands it to its family; none when it failed.
    std::function<std::optional<QByteArray>(SerialControl&, bool first)> ask;
};

void PrintTo(const SharedPath& path, std::ostream* out)
{
    *out << path.name;
}

std::optional<QByteArray> askMount(SerialControl& serial, bool first)
{
    MountExchange line(serial);
    const MountExchange::Reply reply = line.ask(first ? ":GR#" : ":GD#", 5, ReplyEnd::terminator('#'));
    return reply.ok ? std::optional(reply.bytes) : std::nullopt;
}

std::optional<QByteArray> askFocuser(SerialControl& serial, bool first)
{
    const FocuserExchange line(serial, 9600, DebugWriter{}, ScopeThreadTiming{});
    return line.send(first ? ":GP#" : ":GT#", 5, ReplyEnd::terminator('#'));
}

std::optional<QByteArray> askSG4(SerialControl& serial, bool first)
{
    const SG4Exchange line(serial, DebugWriter{});
    const char letter = first ? SG4Protocol::kGetMaxMove : SG4Protocol::kGetMinMove;
    const SG4Reply reply = line.exchange("read", letter, {}, 3);
    return reply.ok ? std::optional(QByteArray(reply.bytes.data(), reply.count)) : std::nullopt;
}

std::optional<QByteArray> askDomeBoard(SerialControl& serial, bool first)
{
    const DomeBoard board(serial, DebugWriter{});
    const std::optional<int> value = first ? board.readInputs() : board.readRelays();
    return value ? std::optional(QByteArray::number(*value) + '\r') : std::nullopt;
}

QByteArray sg4Reply(char letter, QByteArray data)
{
    return SG4Protocol::frame(letter).right(1) + data;
}

class LateReply : public ::testing::TestWithParam<SharedPath> {};

}  // namespace

// The first reply comes only after its exchange gave up; the next exchange
// takes its own reply, not the late one.
TEST_P(LateReply, ALateReplyAfterATimeOutIsNotTakenAsTheNextOne)
{
    const SharedPath& path = GetParam();
    PtyDevice pty;
    pty.simulator().answer(path.first, path.firstReply);
    pty.simulator().answer(path.second, path.secondReply);
    pty.simulator().setReplyDelay(kLate);
    pty.simulator().holdReplyTo(path.first);
    pty.start();
    SerialControl serial;
    serial.setExtraPorts({pty.path()});
    serial.getPortNames();
    ASSERT_TRUE(serial.openSerialDriver(0, 9600, false, path.slot));

    EXPECT_EQ(path.ask(serial, true), std::nullopt);
    pty.simulator().releaseReply();
    EXPECT_EQ(path.ask(serial, false), path.secondReply);
    serial.closeSerialDriver(path.slot);
}

INSTANTIATE_TEST_SUITE_P(
    Families, LateReply,
    ::testing::Values(
        SharedPath{"Mount", kSerialSlotScope, ":GR#", "12:34:56#", ":GD#", "+45*00#", askMount},
        SharedPath{"Focuser", kSerialSlotFocuser, ":GP#", "01F4#", ":GT#", "0028#", askFocuser},
        SharedPath{"SG4", kSerialSlotSG4, SG4Protocol::frame(SG4Protocol::kGetMaxMove),
                   sg4Reply(SG4Protocol::kGetMaxMove, "\x01\x02"), SG4Protocol::frame(SG4Protocol::kGetMinMove),
                   sg4Reply(SG4Protocol::kGetMinMove, "\x03\x04"), askSG4},
        SharedPath{"DomeBoard", kSerialSlotDome, "AI15\r", "12\r", "AR0\r", "3\r", askDomeBoard}),
    [](const ::testing::TestParamInfo<SharedPath>& info) { return info.param.name; });
