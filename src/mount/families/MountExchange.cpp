#include "mount/families/MountExchange.h"

#include "mount/SerialControl.h"

MountExchange::Reply MountExchange::ask(const QByteArray& command, quint16 expected,
                                        const ReplyEnd& end)
{
    if (isDropped())
        return {false, kTransDroppedForStop, {}};
    ReplyBuffer buffer{};
    Reply reply;
    reply.count = qint32(command.size());
    reply.ok =
        m_serial.transaction(expected, reply.count, command.constData(), buffer, kSerialSlotScope, end);
    if (reply.ok)
        reply.bytes = QByteArray(buffer.data(), reply.count);
    return reply;
}

bool MountExchange::send(const QByteArray& command)
{
    if (isDropped())
        return false;
    ReplyBuffer buffer{};
    qint32 count = qint32(command.size());
    return m_serial.transaction(0, count, command.constData(), buffer, kSerialSlotScope);
}

void MountExchange::replyWasBad()
{
    m_serial.markReplyBad(kSerialSlotScope);
}
