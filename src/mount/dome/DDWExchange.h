#pragma once

#include "mount/ReplyCycles.h"
#include "mount/dome/DDWStatus.h"
#include "mount/dome/WorkerExchange.h"

#include <QByteArray>

#include <optional>

// The port a controller answered on (1-based; 0 when none did) and the
// record it answered with, when it was one.
struct DDWFound {
    quint16 port = 0;
    std::optional<DDWStatus> status;
};

// The Digital Dome Works exchanges as the mount's worker runs them.
class DDWExchange : public WorkerExchange {
public:
    using WorkerExchange::WorkerExchange;

    // One command on slot 5 after its input is cleared, read until `end`
    // says the reply is whole (silence when it has no rule); nothing on a
    // time-out.
    std::optional<QByteArray> send(const QByteArray& command, quint16 expected,
                                   const ReplyEnd& end = {}) const;
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
    bool answersOn(quint16 index, std::optional<DDWStatus>& status) const;
};
