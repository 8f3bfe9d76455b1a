#pragma once

#include "mount/ReplyCycles.h"
#include "mount/SerialSlots.h"

#include <QByteArray>
#include <QString>

class SerialControl;

// The mount families' exchanges on slot 1: a command out and its reply back
// as bytes, read through the pauses of a device until it is whole.
class MountExchange {
public:
    explicit MountExchange(SerialControl& serial) : m_serial(serial) { }

    struct Reply {
        bool ok = false;
        qint32 count = 0;  // bytes read, or a kTrans failure
        QByteArray bytes;
    };
    // At least `expected` bytes, read until `end` says the reply is whole.
    Reply ask(const QByteArray& command, quint16 expected, const ReplyEnd& end = {});
    // A command without a reply.
    bool send(const QByteArray& command);

private:
    SerialControl& m_serial;
};

// A command's text from a printf format (Latin-1).
template <typename... Args> QByteArray commandText(const char* format, Args... args)
{
    return QString::asprintf(format, args...).toLatin1();
}
