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

    // What a command sent only onto a quiet line met: the reply (empty when
    // none was awaited), no reply in time, or a line still busy, where
    // nothing was written.
    struct QuietSend {
        enum class Outcome { Replied, Silent, Busy };
        Outcome outcome;
        QByteArray reply;
        bool replied() const { return outcome == Outcome::Replied; }
        bool busy() const { return outcome == Outcome::Busy; }
    };
    // For a focuser that takes any byte it receives while it moves as a
    // stop: the pending input is cleared, and the command written only once
    // the line has fallen quiet (after bytes were cleared, for the span that
    // ends a reply), then the reply read as send() does.
    QuietSend sendOnQuietLine(const QByteArray& command, quint16 expected, const ReplyEnd& end = {}) const;

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
