#include "mount/SlotExchange.h"

#include "mount/SerialControl.h"

#include <algorithm>

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
    return m_serial->serialPortAvailable(index) && openAndAsk(index, answers);
}

bool SlotExchange::openAndAsk(quint16 index, const std::function<bool()>& answers) const
{
    if (!m_serial->openSerialDriver(index, m_baud, false, m_slot))
        return false;
    if (answers())
        return true;
    m_serial->closeSerialDriver(m_slot);
    return false;
}

quint16 SlotExchange::firstAnswering(quint16 ports, const std::function<bool()>& answers) const
{
    return search(0, ports, answers).port;
}

SlotExchange::PortSearch SlotExchange::search(quint16 chosen, quint16 ports,
                                              const std::function<bool()>& answers) const
{
    close();
    PortSearch found;
    const quint16 first = chosen == 0 ? 0 : quint16(chosen - 1);
    const quint16 end = chosen == 0 ? ports : std::min<quint16>(chosen, ports);
    for (quint16 index = first; index < end; ++index) {
        ++found.tried;
        const SerialControl::PortState state = m_serial->portState(index);
        if (state == SerialControl::PortState::InUseByAnotherProgram)
            found.inUse.append(m_serial->portName(index));
        if (state == SerialControl::PortState::Free && openAndAsk(index, answers)) {
            found.port = quint16(index + 1);
            break;
        }
    }
    return found;
}

void SlotExchange::close() const
{
    m_serial->closeSerialDriver(m_slot);
}
