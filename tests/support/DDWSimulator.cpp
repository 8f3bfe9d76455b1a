#include "DDWSimulator.h"

#include <algorithm>
#include <cstdlib>

namespace {

// The record follows an acknowledged command once the transport has taken
// the acknowledgement, and an unacknowledged one at once, so that the
// program's stream reader finds it either way.
constexpr std::chrono::milliseconds kAckedStreamGap{160};
constexpr std::chrono::milliseconds kStreamGap{50};
constexpr int kCommandLength = 4;

}  // namespace

DDWSimulator::DDWSimulator(DeviceSimulator& device)
{
    device.respond([this](const QByteArray& pending) { return answer(pending); });
}

void DDWSimulator::setFieldCount(int fields) { const std::lock_guard l(m_mutex); m_fields = fields; }
void DDWSimulator::setTicksPerTurn(int ticks) { const std::lock_guard l(m_mutex); m_ticks = ticks; }
void DDWSimulator::setDSRStatus(int status) { const std::lock_guard l(m_mutex); m_dsr = status; }
void DDWSimulator::setStepDegrees(int degrees) { const std::lock_guard l(m_mutex); m_step = degrees; }

void DDWSimulator::setAzimuth(int degrees)
{
    const std::lock_guard lock(m_mutex);
    m_azimuth = m_goal = degrees;
}

void DDWSimulator::setStaleTail(QByteArray tail)
{
    const std::lock_guard lock(m_mutex);
    m_staleTail = std::move(tail);
}

int DDWSimulator::azimuth() const { const std::lock_guard l(m_mutex); return m_azimuth; }
int DDWSimulator::goal() const { const std::lock_guard l(m_mutex); return m_goal; }
int DDWSimulator::pins() const { const std::lock_guard l(m_mutex); return m_pins; }

QList<QByteArray> DDWSimulator::commands() const
{
    const std::lock_guard lock(m_mutex);
    return m_commands;
}

QByteArray DDWSimulator::record() const
{
    const std::lock_guard lock(m_mutex);
    return recordLocked();
}

QByteArray DDWSimulator::recordLocked() const
{
    // Azimuth in ticks the way the controller counts them: 359 degrees a turn.
    const int adaz = m_ticks == 0 ? 0 : m_azimuth * m_ticks / 359;
    QList<QByteArray> fields(std::max(m_fields, 1), "0");
    const int values[][2] = {{1, m_ticks}, {2, 0},      {3, 2},         {4, adaz},  {5, m_slave},
                             {6, m_shutter}, {7, m_dsr}, {8, m_azimuth == 0 ? 0 : 1}, {11, m_pins},
                             {20, m_goal}};
    fields[0] = "V4";
    for (const auto& [index, value] : values) {
        if (index < fields.size())
            fields[index] = QByteArray::number(value);
    }
    return fields.join(',') + "\r\n";
}

void DDWSimulator::stepLocked()
{
    int d = (m_goal - m_azimuth + 360) % 360;
    if (d > 180)
        d -= 360;
    const int move = std::clamp(d, -m_step, m_step);
    m_azimuth = (m_azimuth + move + 360) % 360;
}

DeviceSimulator::Response DDWSimulator::answer(const QByteArray& pending)
{
    const std::lock_guard lock(m_mutex);
    const qsizetype length = pending.startsWith("QQ") ? 2 : kCommandLength;
    if (pending.size() < length)
        return {};
    const QByteArray command = pending.left(length);
    m_commands.append(command);
    const auto now = [](QByteArray bytes) { return DeviceSimulator::ReplyPart{std::move(bytes)}; };
    const auto streamed = [&](QByteArray ack) {
        DeviceSimulator::Response a{length, {}};
        if (!ack.isEmpty())
            a.parts.push_back(now(std::move(ack)));
        a.parts.push_back({recordLocked() + m_staleTail,
                           a.parts.empty() ? kStreamGap : kAckedStreamGap});
        return a;
    };
    if (command == "GINF") {
        stepLocked();
        return {length, {now(recordLocked())}};
    }
    if (command == "GSLV" || command == "GVLS") {
        m_slave = command == "GSLV";
        return {length, {now(recordLocked())}};
    }
    if (command == "QQ") {
        m_goal = m_azimuth;
        return {length, {now(recordLocked())}};
    }
    if (command == "GHOM") {
        m_goal = 0;
        return streamed("H");
    }
    if (command == "GTRN")
        return streamed("T");
    if (command == "GOPN" || command == "GCLS") {
        m_shutter = command == "GOPN" ? 2 : 1;
        return streamed("S");
    }
    if (command == "GTCK" || command.startsWith('R') || command.startsWith('L')
        || command.startsWith('X'))
        return {length, {now("A")}};
    if (command.startsWith("GP0")) {
        bool ok = false;
        const int pins = command.mid(3).toInt(&ok, 16);
        if (ok)
            m_pins = pins;
        return {length, {}};
    }
    bool ok = false;
    const int goal = command.mid(1).toInt(&ok);
    if (command.startsWith('G') && ok && goal >= 0 && goal < 360) {
        m_goal = goal;
        stepLocked();
        return streamed({});
    }
    return {length, {}};
}
