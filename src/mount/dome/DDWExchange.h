#pragma once

#include "mount/SlotExchange.h"
#include "mount/dome/DDWStatus.h"

#include <QByteArray>

#include <optional>

// The port a controller answered on (1-based; 0 when none did) and the
// record it answered with, when it was one.
struct DDWFound {
    quint16 port = 0;
    std::optional<DDWStatus> status;
    SlotExchange::PortSearch ports;  // the pass over every port
};

// The Digital Dome Works exchanges on slot 5 as the port's worker runs them.
class DDWExchange : public SlotExchange {
public:
    DDWExchange(SerialControl& serial, DebugWriter debug, ScopeThreadTiming timing);

    // `command` answered by a status record read to its CR LF: the raw
    // reply, nothing on a time-out.
    std::optional<QByteArray> record(const QByteArray& command) const;
    // `command` answered by a status record; nothing when it is unanswered
    // or no record.
    std::optional<DDWStatus> status(const QByteArray& command) const;
    // The record the controller streams after a motion command.
    std::optional<DDWStatus> readStream() const;
    // Opens slot 5 on the port chosen (1-based; 0 for none), else on each
    // of `ports` in turn, until a controller answers the status request
    // with its 'V'; the slot stays open on that port only.
    DDWFound findController(quint16 chosen, quint16 ports) const;

private:
    // Whether the controller on the open slot answers the status request
    // with its 'V'; its record goes to `status`.
    bool answers(std::optional<DDWStatus>& status) const;
};
