#include "focus/FocuserExchange.h"

#include "mount/SerialControl.h"
#include "mount/SerialSlots.h"

FocuserExchange::FocuserExchange(SerialControl& serial, long baud, DebugWriter debug,
                                 ScopeThreadTiming timing)
    : SlotExchange(serial, kSerialSlotFocuser, baud, std::move(debug), std::move(timing))
{
}

FocuserExchange::Search FocuserExchange::findFocuser(
    quint16 chosen, quint16 ports, const std::function<ProbeAnswer(const FocuserExchange&)>& probe) const
{
    Search found;
    found.ports = search(chosen, ports, [this, &probe, &found] {
        ProbeAnswer answer = probe(*this);
        if (!answer.refusal.isEmpty())
            found.refusal = std::move(answer.refusal);
        return answer.found;
    });
    return found;
}

FocuserExchange::QuietSend FocuserExchange::sendOnQuietLine(const QByteArray& command, quint16 expected,
                                                            const ReplyEnd& end) const
{
    const DrainResult cleared = serial().clearSerialBuffer(slot());
    if (!cleared.quiet)
        return {QuietSend::Outcome::Busy, {}};
    // Bytes were coming just now: the write waits for the quiet that ends a
    // reply, and none is made while they go on.
    if (cleared.dropped > 0)
        replyWasBad();
    ReplyBuffer reply{};
    qint32 count = qint32(command.size());
    if (serial().transaction(expected, count, command.constData(), reply, slot(), end,
                             SerialControl::WriteRule::OnQuietLine))
        return {QuietSend::Outcome::Replied, expected == 0 ? QByteArray() : QByteArray(reply.data(), count)};
    return {count == kTransLineBusy ? QuietSend::Outcome::Busy : QuietSend::Outcome::Silent, {}};
}
