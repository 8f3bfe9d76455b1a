#include "mount/SlotExchange.h"

#include "mount/SerialControl.h"

std::optional<QByteArray> SlotExchange::send(const QByteArray& command, quint16 expected,
                                             const ReplyEnd& end) const
{
    ReplyBuffer reply{};
    m_serial->clearSerialBuffer(m_slot);
    qint32 count = qint32(command.size());
    if (!m_serial->transaction(expected, count, command.constData(), reply, m_slot, end))
        return std::nullopt;
    return QByteArray(reply.data(), count);
}

bool SlotExchange::openIf(quint16 index, const std::function<bool()>& answers) const
{
    if (!m_serial->serialPortAvailable(index)
        || !m_serial->openSerialDriver(index, m_baud, false, m_slot))
        return false;
    if (answers())
        return true;
    m_serial->closeSerialDriver(m_slot);
    return false;
}

quint16 SlotExchange::firstAnswering(quint16 ports, const std::function<bool()>& answers) const
{
    close();
    for (quint16 index = 0; index < ports; ++index) {
        if (openIf(index, answers))
            return quint16(index + 1);
    }
    return 0;
}

void SlotExchange::close() const
{
    m_serial->closeSerialDriver(m_slot);
}
