#pragma once

#include "mount/SlotExchange.h"

// A serial focuser's exchanges on the focuser slot as the port's worker
// runs them; a model's own readers reach the transport through serial().
class FocuserExchange : public SlotExchange {
public:
    FocuserExchange(SerialControl& serial, long baud, DebugWriter debug, ScopeThreadTiming timing);

    // Opens the port chosen (1-based) only, or with none chosen each of
    // `ports` in turn, until `probe` finds the focuser; the 1-based port
    // it answered on, 0 when none did.
    quint16 findFocuser(quint16 chosen, quint16 ports,
                        const std::function<bool(const FocuserExchange&)>& probe) const;
};
