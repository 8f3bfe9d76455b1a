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
    if (!m_serial->openSerialDriver(index, m_baud, m_evenParity, m_slot))
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
                                              const std::function<bool()>& answers,
                                              const std::function<bool()>& wanted) const
{
    close();
    PortSearch found;
    const quint16 first = chosen == 0 ? 0 : quint16(chosen - 1);
    const quint16 end = chosen == 0 ? ports : std::min<quint16>(chosen, ports);
    for (quint16 index = first; index < end && (!wanted || wanted()); ++index) {
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

SlotExchange::PortSearch SlotExchange::searchFrom(quint16 chosen, quint16 ports,
                                                  const std::function<bool()>& answers,
                                                  const std::function<bool()>& wanted) const
{
    if (chosen != 0 && chosen <= ports) {
        const PortSearch atChosen = search(chosen, ports, answers);
        if (atChosen.port != 0)
            return atChosen;
    }
    return search(0, ports, answers, wanted);
}

QString SlotExchange::PortSearch::failure(const QString& device, const QString& fallback) const
{
    // A port another program holds was never asked, so it is not among the
    // silent ones.
    if (inUse.isEmpty())
        return fallback;
    QString text = inUse.join(QStringLiteral(", "))
                   + (inUse.size() == 1 ? QStringLiteral(" is") : QStringLiteral(" are"))
                   + QStringLiteral(" in use by another program");
    if (inUse.size() < tried)
        text += QStringLiteral(", and ") + device + QStringLiteral(" did not answer on any other port");
    return text + '.';
}

void SlotExchange::close() const
{
    m_serial->closeSerialDriver(m_slot);
}
