#include "focus/FocuserExchange.h"

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
