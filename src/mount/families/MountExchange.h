#pragma once

#include "mount/ReplyCycles.h"
#include "mount/SerialSlots.h"

#include <QByteArray>
#include <QString>

class SerialControl;

#include <functional>

// An exchange not made: a stop went out before it and the operation drops
// the rest of its commands.
constexpr qint32 kTransDroppedForStop = -5;

// The mount families' exchanges on slot 1: a command out and its reply back
// as bytes, read through the pauses of a device until it is whole. Before
// each exchange `between` (the worker's) may send a waiting stop; when it
// says so, the exchange is dropped.
class MountExchange {
public:
    explicit MountExchange(SerialControl& serial, std::function<bool()> between = {})
        : m_serial(serial), m_between(std::move(between))
    {
    }

    struct Reply {
        bool ok = false;
        qint32 count = 0;  // bytes read, or a kTrans failure
        QByteArray bytes;
    };
    // At least `expected` bytes, read until `end` says the reply is whole.
    Reply ask(const QByteArray& command, quint16 expected, const ReplyEnd& end = {});
    // A command without a reply.
    bool send(const QByteArray& command);
    // The last reply, though whole, was garbled or not the command's: the
    // next exchange drains what is left of it first.
    void replyWasBad();

private:
    bool isDropped() const { return m_between && m_between(); }

    SerialControl& m_serial;
    std::function<bool()> m_between;
};

// A command's text from a printf format (Latin-1).
template <typename... Args> QByteArray commandText(const char* format, Args... args)
{
    return QString::asprintf(format, args...).toLatin1();
}
