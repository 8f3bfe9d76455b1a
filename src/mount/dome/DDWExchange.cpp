#include "mount/dome/DDWExchange.h"

#include "mount/SerialControl.h"
#include "mount/SerialSlots.h"

namespace {

constexpr long kDDWBaud = 9600;

// A status record ends in CR LF; read to its end, a record the controller
// pauses in is never cut, nor its tail left to lead the next reply.
const ReplyEnd kRecordEnd = ReplyEnd::terminator('\n');

}  // namespace

std::optional<QByteArray> DDWExchange::send(const QByteArray& command, quint16 expected,
                                            const ReplyEnd& end) const
{
    ReplyBuffer reply{};
    serial().clearSerialBuffer(kSerialSlotDDW);
    qint32 count = qint32(command.size());
    if (!serial().transaction(expected, count, command.constData(), reply, kSerialSlotDDW, end))
        return std::nullopt;
    return QByteArray(reply.data(), count);
}

std::optional<QByteArray> DDWExchange::record(const QByteArray& command) const
{
    return send(command, 1, kRecordEnd);
}

std::optional<DDWStatus> DDWExchange::status(const QByteArray& command) const
{
    const std::optional<QByteArray> reply = record(command);
    if (!reply)
        return std::nullopt;
    return parseDDWStatus(*reply);
}

std::optional<DDWStatus> DDWExchange::readStream() const
{
    ReplyBuffer buffer{};
    const qsizetype length = serial().readDDWStream(buffer);
    if (length <= 0)
        return std::nullopt;
    const QByteArrayView text(buffer.data(), length);
    debug()([&] { return QString::fromLatin1(text.toByteArray()); });
    return parseDDWStatus(text);
}

DDWFound DDWExchange::findController(quint16 chosen, quint16 ports) const
{
    DDWFound found;
    if (chosen != 0 && chosen <= ports && answersOn(chosen - 1, found.status)) {
        found.port = chosen;
        return found;
    }
    serial().closeSerialDriver(kSerialSlotDDW);
    for (quint16 index = 0; index < ports; ++index) {
        if (answersOn(index, found.status)) {
            found.port = index + 1;
            return found;
        }
    }
    return found;
}

bool DDWExchange::answersOn(quint16 index, std::optional<DDWStatus>& status) const
{
    if (!serial().serialPortAvailable(index)
        || !serial().openSerialDriver(index, kDDWBaud, false, kSerialSlotDDW))
        return false;
    const std::optional<QByteArray> reply = record("GINF");
    if (reply && reply->startsWith('V')) {
        status = parseDDWStatus(*reply);
        return true;
    }
    serial().closeSerialDriver(kSerialSlotDDW);
    return false;
}
