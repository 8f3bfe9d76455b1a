#include "mount/SlotExchange.h"

#include "mount/SerialControl.h"
#include "mount/SerialSlots.h"

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

void SlotExchange::replyWasBad() const
{
    m_serial->markReplyBad(m_slot);
}

bool SlotExchange::openIf(quint16 index, const std::function<bool()>& answers) const
{
    return m_serial->serialPortAvailable(index) && openAndAsk(index, answers).value_or(false);
}

std::optional<bool> SlotExchange::openAndAsk(quint16 index, const std::function<bool()>& answers) const
{
    if (!m_serial->openSerialDriver(index, m_baud, m_evenParity, m_slot))
        return std::nullopt;
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
    found.listed = ports;
    const quint16 first = chosen == 0 ? 0 : quint16(chosen - 1);
    const quint16 end = chosen == 0 ? ports : std::min<quint16>(chosen, ports);
    for (quint16 index = first; index < end && (!wanted || wanted()); ++index) {
        ++found.tried;
        const QString name = m_serial->portName(index);
        switch (m_serial->portState(index)) {
        case SerialControl::PortState::InUseByAnotherProgram:
            found.inUse.append(name);
            continue;
        case SerialControl::PortState::HeldByThisProgram:
            found.heldHere.append({name, m_serial->holdingSlot(index)});
            continue;
        case SerialControl::PortState::Unopenable:
            continue;
        case SerialControl::PortState::Free:
            break;
        }
        const std::optional<bool> answered = openAndAsk(index, answers);
        if (answered == true) {
            found.port = quint16(index + 1);
            break;
        }
        if (answered == false)
            found.unanswered.append(name);
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

namespace {

// The device a slot serves, as the user reads it.
QString slotDevice(quint16 slot)
{
    switch (slot) {
    case kSerialSlotScope: return QStringLiteral("the mount");
    case kSerialSlotFocuser: return QStringLiteral("the focuser");
    case kSerialSlotSG4: return QStringLiteral("the SG-4 or AllSky camera");
    case kSerialSlotDome: return QStringLiteral("the dome board");
    case kSerialSlotDDW: return QStringLiteral("the Digital Dome Works");
    default: return QStringLiteral("another device");
    }
}

QString inUseBy(const QStringList& ports, const QString& holder)
{
    const QString verb = ports.size() == 1 ? QStringLiteral(" is") : QStringLiteral(" are");
    return ports.join(QStringLiteral(", ")) + verb + QStringLiteral(" in use by ") + holder;
}

}  // namespace

QString SlotExchange::PortSearch::failure(const QString& device, const QString& fallback) const
{
    // A held port was never asked, so it is not among the silent ones.
    QStringList held;
    if (!inUse.isEmpty())
        held.append(inUseBy(inUse, QStringLiteral("another program")));
    for (quint16 slot = 0; slot <= kSerialSlotCount; ++slot) {
        QStringList ports;
        for (const HeldPort& port : heldHere) {
            if (port.slot == slot)
                ports.append(port.name);
        }
        if (ports.isEmpty())
            continue;
        held.append(listed == 1 ? QStringLiteral("The only serial port is in use by ") + slotDevice(slot)
                                : inUseBy(ports, slotDevice(slot)));
    }
    if (held.isEmpty())
        return fallback;
    QString text = held.join(QStringLiteral(", "));
    if (inUse.size() + heldHere.size() < tried)
        text += QStringLiteral(", and ") + device + QStringLiteral(" did not answer on any other port");
    return text + '.';
}

void SlotExchange::close() const
{
    m_serial->closeSerialDriver(m_slot);
}
