#include "camera/sg4/SG4Exchange.h"

#include "mount/SerialControl.h"
#include "mount/SerialSlots.h"
#include "mount/TransactionDump.h"

#include <algorithm>

using namespace SG4Protocol;

namespace {

// The speed change's "Test" is answered by at least this many bytes holding
// "Ok", with no end of its own: whole once they hold it (a garbled answer
// at the quiet); what comes after is dropped before the confirmation.
constexpr quint16 kSpeedTestReply = 6;
constexpr char kSpeedTestOk[] = "Ok";
const ReplyEnd kSpeedTestEnd = ReplyEnd::holding(kSpeedTestOk, kSpeedTestReply);

}  // namespace

SG4Exchange::SG4Exchange(SerialControl& serial, DebugWriter debug)
    : SlotExchange(serial, kSerialSlotSG4, 0, std::move(debug), ScopeThreadTiming{})
{
}

SG4Reply SG4Exchange::exchange(const char* name, char letter, QByteArrayView data,
                               quint16 replyLength) const
{
    debug()(QString("SG-4 %1").arg(name));
    const QByteArray command = frame(letter, data);
    const char echo = command.back();
    SG4Reply reply;
    reply.count = qint32(command.size());
    // The reply ends `replyLength` bytes after its echo: the progress bytes
    // that keep coming while the camera exposes belong to the next reader.
    const ReplyEnd end{[echo, replyLength](QByteArrayView gathered) {
                           return gathered.size() - progressAhead(gathered, echo) >= replyLength;
                       },
                       0};
    reply.ok = serial().transaction(replyLength, reply.count, command.constData(), reply.bytes,
                                    slot(), end);
    if (reply.count > 0) {
        const qsizetype ahead = progressAhead(QByteArrayView(reply.bytes.data(), reply.count), echo);
        std::copy(reply.bytes.begin() + ahead, reply.bytes.begin() + reply.count, reply.bytes.begin());
        reply.count -= qint32(ahead);
    }
    if (!reply.ok) {
        debug()(QString("SG-4 %1: transaction error %2").arg(name).arg(reply.count));
        if (reply.count > 0)
            transactionDump(reply);
        return reply;
    }
    if (replyLength > 0 && reply.bytes[0] != echo) {
        debug()(QString("SG-4 %1: checksum error").arg(name));
        transactionDump(reply);
        replyWasBad();
        reply.ok = false;
    }
    return reply;
}

void SG4Exchange::transactionDump(const SG4Reply& reply) const
{
    debug()([&] { return ::transactionDump(QByteArrayView(reply.bytes.data(), std::max(reply.count, 0))); });
}

bool SG4Exchange::sg4TestComCmd() const
{
    const SG4Reply reply = exchange("sg4TestComCmd", kTestCom, {}, 2);
    return reply.ok && reply.bytes[1] == 'O';
}

std::optional<QString> SG4Exchange::sg4GetVersionCmd() const
{
    const SG4Reply reply = exchange("sg4GetVersionCmd", kGetVersion, {}, 3);
    if (!reply.ok)
        return std::nullopt;
    return versionText(quint8(reply.bytes[1]), quint8(reply.bytes[2]));
}

std::optional<quint16> SG4Exchange::readMove(const char* name, char letter) const
{
    const SG4Reply reply = exchange(name, letter, {}, 3);
    if (!reply.ok)
        return std::nullopt;
    const auto high = quint8(reply.bytes[1]);
    const auto low = quint8(reply.bytes[2]);
    debug()(QString("SG-4 %1 [1]: %2, [2]: %3").arg(name).arg(high).arg(low));
    return quint16(high * 256 + low);
}

std::optional<quint8> SG4Exchange::readGain(const char* name, char letter) const
{
    const SG4Reply reply = exchange(name, letter, {}, 2);
    if (!reply.ok)
        return std::nullopt;
    debug()(QString("SG-4 %1: %2").arg(name).arg(quint8(reply.bytes[1])));
    return quint8(reply.bytes[1]);
}

SG4GuiderRead SG4Exchange::readGuider() const
{
    SG4GuiderRead read;
    read.maxMove = readMove("sg4GetMaxMoveCmd", kGetMaxMove);
    read.minMove = readMove("sg4GetMinMoveCmd", kGetMinMove);
    read.xGain = readGain("sg4GetXAggressiveCmd", kGetXAggressive);
    read.yGain = readGain("sg4GetYAggressiveCmd", kGetYAggressive);
    return read;
}

std::optional<SG4ExposureStart> SG4Exchange::sg4TakeImageCmd(QByteArrayView data) const
{
    // A short exposure's 'D' may have come with the echo.
    const SG4Reply reply = exchange("sg4TakeImageCmd", kTakeImage, data, 1);
    if (!reply.ok)
        return std::nullopt;
    return SG4ExposureStart{QDateTime::currentDateTimeUtc(),
                            QByteArrayView(reply.bytes.data() + 1, reply.count - 1).contains(kExposureDone)};
}

bool SG4Exchange::sg4SetBaudRateCmd(long baud, long oldBaud) const
{
    const std::optional<char> code = speedCode(baud);
    if (!code)
        return false;
    debug()("SG-4 sg4SetBaudRateCmd");
    SerialControl& line = serial();
    const QByteArray command = frame(kSetBaudRate, QByteArray(1, *code));
    SG4Reply reply;
    reply.count = qint32(command.size());
    if (!line.transaction(1, reply.count, command.constData(), reply.bytes, slot(), ReplyEnd::length(1))) {
        debug()("SG-4 sg4SetBaudRateCmd err: 1");
        return false;
    }
    if (!line.setBaudRate(baud, slot())) {
        debug()("SG-4 sg4SetBaudRateCmd err: 2");
        return false;
    }
    const auto fail = [&](int error) {
        debug()(QString("SG-4 sg4SetBaudRateCmd err: %1").arg(error));
        line.setBaudRate(oldBaud, slot());
        return false;
    };
    line.clearSerialBuffer(slot());
    reply.count = qint32(qstrlen(kSpeedTest));
    if (!line.transaction(kSpeedTestReply, reply.count, kSpeedTest, reply.bytes, slot(), kSpeedTestEnd))
        return fail(3);
    if (!QByteArrayView(reply.bytes.data(), reply.count).contains(kSpeedTestOk)) {
        replyWasBad();
        return fail(4);
    }
    line.clearSerialBuffer(slot());
    qint32 count = 1;
    const char confirm = kSpeedConfirm;
    if (!line.transaction(0, count, &confirm, reply.bytes, slot()))
        return fail(5);
    return true;
}

SG4Found SG4Exchange::findDevice(quint16 chosen, quint16 ports, long storedBaud, bool readGuider) const
{
    SG4Found found;
    const auto atSpeed = [this](long baud) {
        return SlotExchange(serial(), slot(), baud, debug(), ScopeThreadTiming{});
    };
    const auto answers = [this] { return sg4TestComCmd(); };
    const auto keep = [&](quint16 port, long baud, bool scanned) {
        found.port = port;
        found.baud = baud;
        found.scanned = scanned;
        found.version = sg4GetVersionCmd();
        if (readGuider)
            found.guider = this->readGuider();
        return found;
    };
    found.ports = atSpeed(storedBaud).searchFrom(chosen, ports, answers);
    if (found.ports.port != 0)
        return keep(found.ports.port, storedBaud, false);
    for (quint16 port = 1; port <= ports; ++port) {
        for (const long baud : kSpeeds) {
            if (atSpeed(baud).search(port, ports, answers).port != 0)
                return keep(port, baud, true);
        }
    }
    return found;
}
