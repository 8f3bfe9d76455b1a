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
    // none was awaited), no reply in time, a line still busy or the device's
    // own motion read ahead of the write, where nothing was written; and
    // every byte read ahead of it.
    struct QuietSend {
        enum class Outcome { Replied, Silent, Busy, Moving };
        Outcome outcome;
        QByteArray reply;
        QByteArray ahead;
        bool replied() const { return outcome == Outcome::Replied; }
        bool unsent() const { return outcome == Outcome::Busy || outcome == Outcome::Moving; }
    };
    // For a focuser that takes any byte it receives while it moves as a
    // stop: the command is written only once what waits on the line has been
    // read and the line has fallen quiet (after bytes came, for the span that
    // ends a reply), and not at all when `isMotion` finds the focuser's own
    // motion in what was read; then the reply is read as send() does.
    QuietSend sendOnQuietLine(const QByteArray& command, quint16 expected, const ReplyEnd& end,
                              std::function<bool(QByteArrayView)> isMotion) const;

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
