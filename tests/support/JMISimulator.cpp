#include "JMISimulator.h"

#include <utility>

namespace {

bool takesValue(char letter)
{
    return QByteArrayView("gwdef").contains(letter);
}

}  // namespace

JMISimulator::JMISimulator(DeviceSimulator& device)
{
    device.respond([this](const QByteArray& pending) { return answer(pending); });
}

void JMISimulator::setPosition(quint16 position) { const std::lock_guard l(m_mutex); m_position = position; }
void JMISimulator::setStatus(quint8 status) { const std::lock_guard l(m_mutex); m_status = status; }
void JMISimulator::setMoveTime(DeviceSimulator::Duration time) { const std::lock_guard l(m_mutex); m_moveTime = time; }
void JMISimulator::setGotoEnd(char end) { const std::lock_guard l(m_mutex); m_gotoEnd = end; }
void JMISimulator::silenceStatus(bool silent) { const std::lock_guard l(m_mutex); m_silentStatus = silent; }
void JMISimulator::stopNextMoveShort(int steps) { const std::lock_guard l(m_mutex); m_shortBy = steps; }
void JMISimulator::endMovesOnlyOnStop(bool onStop) { const std::lock_guard l(m_mutex); m_endOnStop = onStop; }
quint16 JMISimulator::position() const { const std::lock_guard l(m_mutex); return m_position; }
quint16 JMISimulator::maximum() const { const std::lock_guard l(m_mutex); return m_maximum; }
QList<quint16> JMISimulator::gotos() const { const std::lock_guard l(m_mutex); return m_gotos; }
QList<QByteArray> JMISimulator::commands() const { const std::lock_guard l(m_mutex); return m_commands; }

DeviceSimulator::Response JMISimulator::answer(const QByteArray& pending)
{
    const char letter = pending.at(0);
    const qsizetype length = takesValue(letter) ? 3 : 1;
    if (pending.size() < length)
        return {};
    const std::lock_guard lock(m_mutex);
    m_commands.append(pending.left(length));
    const auto value = length == 3 ? quint16(quint8(pending.at(1)) << 8 | quint8(pending.at(2))) : quint16(0);
    const QByteArray echo(1, letter);
    switch (letter) {
    case 'b':
        return {1, {{"bj"}}};
    case 't':
        if (m_silentStatus)
            return {1, {}};
        return {1, {{echo + char(m_status)}}};
    case 'p':
        return {1, {{echo + char(m_position >> 8) + char(m_position & 0xFF)}}};
    case 'z':
        m_position = 0;
        return {1, {{echo}}};
    case 'w':
        m_maximum = value;
        return {3, {{echo}}};
    case 'g':
        // The focuser arrives while the end is on its way.
        m_gotos.append(value);
        m_position = quint16(value - (value > m_position ? 1 : -1) * std::exchange(m_shortBy, 0));
        if (m_endOnStop) {
            m_endOwed = true;
            return {3, {{echo}}};
        }
        return {3, {{echo}, {QByteArray(1, m_gotoEnd), m_moveTime}}};
    case 's':
        if (std::exchange(m_endOwed, false))
            return {1, {{QByteArray(1, m_gotoEnd)}, {echo}}};
        return {1, {{echo}}};
    case 'i': case 'o': case 'h':
        return {1, {{echo}}};
    case 'd': case 'e': case 'f':
        return {3, {{echo}}};
    default:
        // A byte no command starts with is noise.
        return {1, {}};
    }
}
