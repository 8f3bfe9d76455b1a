#include "mount/dome/DDWExchange.h"

#include "mount/SerialControl.h"
#include "mount/SerialSlots.h"

namespace {

constexpr long kDDWBaud = 9600;

// A status record ends in CR LF; read to its end, a record the controller
// pauses in is never cut, nor its tail left to lead the next reply.
const ReplyEnd kRecordEnd = ReplyEnd::terminator('\n');

}  // namespace

DDWExchange::DDWExchange(SerialControl& serial, DebugWriter debug, ScopeThreadTiming timing)
    : SlotExchange(serial, kSerialSlotDDW, kDDWBaud, std::move(debug), std::move(timing))
{
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
    const auto answering = [this, &found] { return answers(found.status); };
    found.ports = searchFrom(chosen, ports, answering);
    found.port = found.ports.port;
    return found;
}

bool DDWExchange::answers(std::optional<DDWStatus>& status) const
{
    const std::optional<QByteArray> reply = record("GINF");
    if (!reply || !reply->startsWith('V'))
        return false;
    status = parseDDWStatus(*reply);
    return true;
}
