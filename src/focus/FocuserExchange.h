#pragma once

#include "mount/SlotExchange.h"

#include <QString>

// What a focuser's probe learnt on a port: the focuser found, or not and,
// when something answered that is refused, why in words for the user.
struct ProbeAnswer {
    // A plain yes or no, as most probes give.
    ProbeAnswer(bool isFound) : found(isFound) {}
    static ProbeAnswer refused(QString why)
    {
        ProbeAnswer answer(false);
        answer.refusal = std::move(why);
        return answer;
    }

    bool found;
    QString refusal;
};

// A serial focuser's exchanges on the focuser slot as the port's worker
// runs them; a model's own readers reach the transport through serial().
class FocuserExchange : public SlotExchange {
public:
    FocuserExchange(SerialControl& serial, long baud, DebugWriter debug, ScopeThreadTiming timing);

    struct Search {
        PortSearch ports;
        // The last refusal a probe gave; empty when none did.
        QString refusal;
    };
    // Opens the port chosen (1-based) only, or with none chosen each of
    // `ports` in turn, until `probe` finds the focuser.
    Search findFocuser(quint16 chosen, quint16 ports,
                       const std::function<ProbeAnswer(const FocuserExchange&)>& probe) const;
};
