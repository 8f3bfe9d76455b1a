#include "focus/FocuserExchange.h"

#include "mount/SerialSlots.h"

FocuserExchange::FocuserExchange(SerialControl& serial, long baud, DebugWriter debug,
                                 ScopeThreadTiming timing)
    : SlotExchange(serial, kSerialSlotFocuser, baud, std::move(debug), std::move(timing))
{
}

quint16 FocuserExchange::findFocuser(quint16 chosen, quint16 ports,
                                     const std::function<bool(const FocuserExchange&)>& probe) const
{
    const auto answers = [this, &probe] { return probe(*this); };
    if (chosen == 0)
        return firstAnswering(ports, answers);
    close();
    return chosen <= ports && openIf(quint16(chosen - 1), answers) ? chosen : 0;
}
