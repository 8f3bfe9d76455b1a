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
                                                            const ReplyEnd& end,
                                                            std::function<bool(QByteArrayView)> isMotion) const
{
    SerialControl::QuietLine line{std::move(isMotion), {}};
    ReplyBuffer reply{};
    qint32 count = qint32(command.size());
    if (serial().transaction(expected, count, command.constData(), reply, slot(), end, &line))
        return {QuietSend::Outcome::Replied, expected == 0 ? QByteArray() : QByteArray(reply.data(), count),
                line.ahead};
    const QuietSend::Outcome outcome = count == kTransMoving     ? QuietSend::Outcome::Moving
                                       : count == kTransLineBusy ? QuietSend::Outcome::Busy
                                                                 : QuietSend::Outcome::Silent;
    return {outcome, {}, line.ahead};
}
