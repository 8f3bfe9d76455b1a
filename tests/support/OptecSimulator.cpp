#include "OptecSimulator.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <utility>

namespace {

constexpr int kMaxUnits = 7000;

QByteArray line(const QByteArray& text)
{
    return text + "\r\n";
}

QByteArray digits(int value, int width)
{
    return QByteArray::number(value).rightJustified(width, '0');
}

}  // namespace

OptecSimulator::OptecSimulator(DeviceSimulator& device) : m_device(device)
{
    device.respond([this](const QByteArray& pending) { return answer(pending); });
}

void OptecSimulator::setPosition(int units)
{
    const std::lock_guard lock(m_mutex);
    m_from = m_goal = units;
}

void OptecSimulator::setTemperature(double celsius) { const std::lock_guard l(m_mutex); m_temperature = celsius; }
void OptecSimulator::setProbe(Probe probe) { const std::lock_guard l(m_mutex); m_probe = probe; }
void OptecSimulator::setStepsPerMs(double steps) { const std::lock_guard l(m_mutex); m_stepsPerMs = steps; }
void OptecSimulator::setStreamEvery(std::chrono::milliseconds every) { const std::lock_guard l(m_mutex); m_streamEvery = every; }

void OptecSimulator::fallSilent()
{
    m_device.dropAnswers();
    m_device.babble({}, {});
}

void OptecSimulator::answerPositionWith(QList<QByteArray> replies)
{
    const std::lock_guard lock(m_mutex);
    m_positionReplies = std::move(replies);
}

int OptecSimulator::position() const
{
    const std::lock_guard lock(m_mutex);
    return const_cast<OptecSimulator*>(this)->positionNowLocked();
}

int OptecSimulator::mode() const { const std::lock_guard l(m_mutex); return m_mode; }

int OptecSimulator::slope(char which) const
{
    const std::lock_guard lock(m_mutex);
    return which == 'B' ? m_slopeB : m_slopeA;
}

QList<QByteArray> OptecSimulator::commands() const
{
    const std::lock_guard lock(m_mutex);
    return m_commands;
}

int OptecSimulator::positionNowLocked()
{
    if (m_stepsPerMs <= 0.0)
        return m_from = m_goal;
    const double elapsed = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_moveStart).count();
    const double covered = elapsed * m_stepsPerMs;
    if (covered >= std::abs(m_goal - m_from))
        return m_from = m_goal;
    return m_from + (m_goal > m_from ? 1 : -1) * int(covered);
}

void OptecSimulator::stopNextMoveShort(int steps)
{
    const std::lock_guard lock(m_mutex);
    m_shortBy = steps;
}

void OptecSimulator::moveLocked(int goal)
{
    m_from = positionNowLocked();
    m_goal = std::clamp(goal, 0, kMaxUnits);
    m_goal -= (m_goal > m_from ? 1 : -1) * std::exchange(m_shortBy, 0);
    m_moveStart = std::chrono::steady_clock::now();
}

QByteArray OptecSimulator::temperatureLocked() const
{
    const double shown = m_probe == Probe::Remote ? -75.0 : m_temperature;
    return "T=" + QByteArray(shown < 0 ? "-" : "+") + QByteArray::number(std::abs(shown), 'f', 1).rightJustified(4, '0');
}

QByteArray OptecSimulator::streamLocked() const
{
    return line("P=" + digits(m_goal, 4)) + line(temperatureLocked());
}

DeviceSimulator::Response OptecSimulator::answer(const QByteArray& pending)
{
    const qsizetype end = pending.indexOf("\r\n");
    if (end < 0)
        return {};
    const QByteArray command = pending.left(end);
    const QByteArray reply = replyTo(command);
    DeviceSimulator::Response response{end + 2, {}};
    if (!reply.isEmpty())
        response.parts.push_back({reply});
    return response;
}

QByteArray OptecSimulator::replyTo(const QByteArray& command)
{
    QByteArray stream;
    QByteArray reply;
    std::chrono::milliseconds every;
    {
        const std::lock_guard lock(m_mutex);
        m_commands.append(command);
        every = m_streamEvery;
        const QByteArray name = command.left(2);
        const int value = command.mid(2).toInt();
        if (command == "FMMODE") {
            m_mode = 1;
            reply = line("!");
        } else if (command == "FFMODE") {
            m_mode = 4;
            reply = line("END");
        } else if ((command == "FAMODE" || command == "FBMODE") && m_probe == Probe::Good) {
            m_mode = command == "FAMODE" ? 2 : 3;
            reply = line(command.mid(1, 1));
            stream = streamLocked();
        } else if (command == "FPOSRO" && !m_positionReplies.isEmpty()) {
            reply = m_positionReplies.takeFirst();
        } else if (command == "FPOSRO") {
            const int now = positionNowLocked();
            reply = now == m_goal ? line("P=" + digits(now, 4)) : line("MOVE");
        } else if (command == "FTMPRO") {
            reply = line(m_probe == Probe::Failed ? QByteArray("ER=1") : temperatureLocked());
        } else if (command == "FCENTR") {
            moveLocked(3500);
            reply = line("CENTER");
        } else if (name == "FI" || name == "FO") {
            moveLocked(positionNowLocked() + (name == "FI" ? -value : value));
            reply = line("*");
        } else if (command == "FREADA" || command == "FREADB") {
            reply = line(command.mid(5, 1) + "=" + digits(command.endsWith('A') ? m_slopeA : m_slopeB, 4));
        } else if (command.startsWith("FLA") || command.startsWith("FLB")) {
            (command.at(2) == 'A' ? m_slopeA : m_slopeB) = command.mid(3).toInt();
            reply = line("DONE");
        } else if (command.startsWith("FDA") || command.startsWith("FDB") || command.startsWith("FQUIT")
                   || command == "FHOME") {
            reply = line("DONE");
        } else if (command == "FSLEEP") {
            reply = line("ZZZ");
        } else if (command == "FWAKUP") {
            reply = line("WAKE");
        }
    }
    // The auto modes stream by themselves; the other commands end it.
    if (!stream.isEmpty())
        m_device.babble(stream, every);
    else if (command == "FMMODE" || command == "FFMODE")
        m_device.babble({}, every);
    return reply;
}
