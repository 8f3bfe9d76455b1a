#include "mount/families/MountExchange.h"

#include "mount/SerialControl.h"

MountExchange::Reply MountExchange::ask(const QByteArray& command, quint16 expected,
                                        const ReplyComplete& complete)
{
    ReplyBuffer buffer{};
    Reply reply;
    reply.count = qint32(command.size());
    reply.ok =
        m_serial.transaction(expected, reply.count, command.constData(), buffer, kSerialSlotScope, complete);
    if (reply.ok)
        reply.bytes = QByteArray(buffer.data(), reply.count);
    return reply;
}

bool MountExchange::send(const QByteArray& command)
{
    ReplyBuffer buffer{};
    qint32 count = qint32(command.size());
    return m_serial.transaction(0, count, command.constData(), buffer, kSerialSlotScope);
}

ReplyComplete MountExchange::endsWith(char terminator, qsizetype least)
{
    return [terminator, least](std::span<const char> gathered) {
        return qsizetype(gathered.size()) >= least && gathered.back() == terminator;
    };
}

ReplyComplete MountExchange::length(qsizetype length)
{
    return [length](std::span<const char> gathered) { return qsizetype(gathered.size()) >= length; };
}
