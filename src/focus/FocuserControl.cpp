#include "focus/FocuserControl.h"

#include "mount/ScopeControl.h"
#include "mount/SerialControl.h"

FocuserControl::FocuserControl(SerialControl& serial, ScopeControl& scope, long baud,
                               QString debugName)
    : m_serial(serial), m_scope(scope), m_baud(baud), m_debugName(std::move(debugName))
{
}

bool FocuserControl::initPort()
{
    if (m_isConnect && m_port != 0) {
        if (stillAnswers())
            return true;
        disconnectPort();
    }
    if (m_serial.serialRefNum(kSerialSlotFocuser) != -1) {
        writeDebug(m_debugName + ": serial ref in use.");
        return false;
    }
    if (m_serial.maxPorts() == 0)
        m_serial.getPortNames();
    const quint16 ports = m_serial.maxPorts();
    if (ports == 0) {
        writeDebug(m_debugName + ": maxPorts is zero.");
        return false;
    }
    const quint16 chosen = m_scope.selectPort();
    if (chosen != 0)
        return chosen <= ports && tryPort(quint16(chosen - 1));
    for (quint16 index = 0; index < ports; ++index) {
        if (tryPort(index))
            return true;
    }
    return false;
}

bool FocuserControl::tryPort(quint16 index)
{
    if (m_serial.openSerialDriver(index, m_baud, false, kSerialSlotFocuser)) {
        if (probe()) {
            m_isConnect = true;
            m_port = quint16(index + 1);
            return true;
        }
        m_serial.clearSerialBuffer(kSerialSlotFocuser);
        m_serial.closeSerialDriver(kSerialSlotFocuser);
    }
    return false;
}

void FocuserControl::disconnectPort()
{
    m_serial.clearSerialBuffer(kSerialSlotFocuser);
    m_serial.closeSerialDriver(kSerialSlotFocuser);
    m_isConnect = false;
    m_port = 0;
}

std::optional<QByteArray> FocuserControl::exchange(const QByteArray& request, quint16 expected)
{
    ReplyBuffer reply{};
    qint32 count = qint32(request.size());
    if (!m_serial.transaction(expected, count, request.constData(), reply, kSerialSlotFocuser))
        return std::nullopt;
    return QByteArray(reply.data(), expected == 0 ? 0 : count);
}

void FocuserControl::writeDebug(const QString& line) const
{
    m_scope.writeDebugFile(line);
}
