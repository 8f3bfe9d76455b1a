#include "MoonLiteSimulator.h"

#include <cmath>
#include <cstdlib>
#include <utility>

MoonLiteSimulator::MoonLiteSimulator(DeviceSimulator& device)
{
    device.respond([this](const QByteArray& pending) { return answer(pending); });
}

void MoonLiteSimulator::setPosition(quint16 position)
{
    const std::lock_guard lock(m_mutex);
    m_position = m_newPosition = position;
    m_isMoving = false;
}

void MoonLiteSimulator::setTemperature(float celsius)
{
    const std::lock_guard lock(m_mutex);
    m_halfDegrees = qint16(std::lround(celsius * 2.0f));
}

void MoonLiteSimulator::setCoefficientDigits(quint8 raw) { const std::lock_guard l(m_mutex); m_coefficient = raw; }
void MoonLiteSimulator::setStepDelay(quint8 delay) { const std::lock_guard l(m_mutex); m_stepDelay = delay; }
void MoonLiteSimulator::setMoveTime(std::chrono::milliseconds time) { const std::lock_guard l(m_mutex); m_moveTime = time; }
void MoonLiteSimulator::setDelayUnit(std::chrono::microseconds unit) { const std::lock_guard l(m_mutex); m_delayUnit = unit; }
void MoonLiteSimulator::sendNonHexDigits(bool on) { const std::lock_guard l(m_mutex); m_nonHex = on; }
void MoonLiteSimulator::dropHash(bool on) { const std::lock_guard l(m_mutex); m_noHash = on; }
quint16 MoonLiteSimulator::newPosition() const { const std::lock_guard l(m_mutex); return m_newPosition; }
bool MoonLiteSimulator::isHalfStep() const { const std::lock_guard l(m_mutex); return m_isHalfStep; }
quint8 MoonLiteSimulator::stepDelay() const { const std::lock_guard l(m_mutex); return m_stepDelay; }
QList<QByteArray> MoonLiteSimulator::commands() const { const std::lock_guard l(m_mutex); return m_commands; }
QList<quint16> MoonLiteSimulator::gotos() const { const std::lock_guard l(m_mutex); return m_gotos; }

quint16 MoonLiteSimulator::position() const
{
    auto* self = const_cast<MoonLiteSimulator*>(this);
    const std::lock_guard lock(m_mutex);
    self->isMovingLocked();
    return m_position;
}

void MoonLiteSimulator::stallMotor() { const std::lock_guard l(m_mutex); m_stallNext = true; }
void MoonLiteSimulator::stopNextMoveShort(int steps) { const std::lock_guard l(m_mutex); m_shortBy = steps; }

bool MoonLiteSimulator::isMovingLocked()
{
    if (!m_isMoving)
        return false;
    if (m_isStalled)
        return true;
    const auto elapsed = std::chrono::steady_clock::now() - m_moveStart;
    if (elapsed >= m_moveFor) {
        m_isMoving = false;
        m_position = m_newPosition;
        return false;
    }
    const double done = std::chrono::duration<double>(elapsed) / std::chrono::duration<double>(m_moveFor);
    m_position = quint16(std::lround(m_from + (m_newPosition - m_from) * done));
    return true;
}

QByteArray MoonLiteSimulator::digits(quint16 value, int count) const
{
    QByteArray text = QByteArray::number(value, 16).toUpper().rightJustified(count, '0').right(count);
    if (m_nonHex)
        text[0] = 'G';
    return m_noHash ? text : text + '#';
}

DeviceSimulator::Response MoonLiteSimulator::answer(const QByteArray& pending)
{
    const qsizetype start = pending.indexOf(':');
    if (start < 0)
        return {pending.size(), {}};
    const qsizetype end = pending.indexOf('#', start);
    if (end < 0)
        return {start, {}};
    const QByteArray body = pending.mid(start + 1, end - start - 1);
    const std::lock_guard lock(m_mutex);
    m_commands.append(body);
    const QByteArray reply = replyTo(body);
    if (reply.isEmpty())
        return {end + 1, {}};
    return {end + 1, {{reply}}};
}

QByteArray MoonLiteSimulator::replyTo(const QByteArray& body)
{
    const bool moving = isMovingLocked();
    const quint16 value = quint16(body.mid(2).toUInt(nullptr, 16));
    if (body == "GP")
        return digits(m_position, 4);
    if (body == "GN")
        return digits(m_newPosition, 4);
    if (body == "GT")
        return digits(quint16(m_halfDegrees), 4);
    if (body == "GC")
        return digits(m_coefficient, 2);
    if (body == "GD")
        return digits(m_stepDelay, 2);
    const QByteArray end = m_noHash ? "" : "#";
    if (body == "GH")
        return (m_isHalfStep ? "FF" : "00") + end;
    if (body == "GI")
        return (moving ? "01" : "00") + end;
    if (body == "GV")
        return "12" + end;
    if (body == "FG") {
        m_gotos.append(m_newPosition);
        m_from = m_position;
        const int way = m_newPosition > m_from ? 1 : -1;
        m_newPosition = quint16(m_newPosition - way * std::exchange(m_shortBy, 0));
        m_moveStart = std::chrono::steady_clock::now();
        m_moveFor = m_delayUnit.count() > 0 ? m_delayUnit * m_stepDelay * std::abs(m_newPosition - m_from)
                                            : std::chrono::microseconds(m_moveTime);
        m_isMoving = true;
        m_isStalled = std::exchange(m_stallNext, false);
    } else if (body == "FQ") {
        m_isMoving = false;
        m_isStalled = false;
        m_newPosition = m_position;
    } else if (body.startsWith("SN")) {
        m_newPosition = value;
    } else if (body.startsWith("SP")) {
        m_position = m_newPosition = value;
    } else if (body.startsWith("SD")) {
        m_stepDelay = quint8(value);
    } else if (body == "SH" || body == "SF") {
        m_isHalfStep = body == "SH";
    }
    return {};
}
