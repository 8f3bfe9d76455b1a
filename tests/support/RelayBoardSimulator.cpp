#include "RelayBoardSimulator.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr char kEnd = '\r';
constexpr speed_t kSpeeds[] = {B4800, B9600, 0, B19200, 0, B38400};
// What a board at another speed seems to send: bytes without an end.
const QByteArray kLineNoise("\xff\x80\x7f", 3);

}  // namespace

RelayBoardSimulator::RelayBoardSimulator(DeviceSimulator& device,
                                         std::function<speed_t()> lineSpeed)
    : m_lineSpeed(std::move(lineSpeed))
{
    device.respond([this](const QByteArray& pending) { return answer(pending); });
}

void RelayBoardSimulator::setDome(const Dome& dome)
{
    const std::lock_guard lock(m_mutex);
    m_dome = dome;
}

void RelayBoardSimulator::setBoard(int speedCode, bool configured)
{
    const std::lock_guard lock(m_mutex);
    m_speedCode = speedCode;
    m_configured = configured;
}

void RelayBoardSimulator::setActiveHigh(int input, bool high)
{
    const std::lock_guard lock(m_mutex);
    m_activeHigh[input - 1] = high;
}

void RelayBoardSimulator::fallSilentAfterSwitchOn(std::chrono::milliseconds after)
{
    const std::lock_guard lock(m_mutex);
    m_silenceAfterSwitchOn = after;
    m_silentFrom.reset();
    m_allOffAt.reset();
}

std::optional<std::chrono::steady_clock::time_point> RelayBoardSimulator::silentSince() const
{
    const std::lock_guard lock(m_mutex);
    return m_silentFrom;
}

std::optional<std::chrono::steady_clock::time_point> RelayBoardSimulator::allOffAt() const
{
    const std::lock_guard lock(m_mutex);
    return m_allOffAt;
}

void RelayBoardSimulator::noteSwitches()
{
    const bool anyOn = m_relays != 0 || m_open || m_close;
    const auto now = std::chrono::steady_clock::now();
    if (anyOn && m_silenceAfterSwitchOn && !m_silentFrom)
        m_silentFrom = now + *m_silenceAfterSwitchOn;
    if (!anyOn && m_silentFrom && now >= *m_silentFrom && !m_allOffAt)
        m_allOffAt = now;
}

bool RelayBoardSimulator::isSilentNow() const
{
    return m_silent || (m_silentFrom && std::chrono::steady_clock::now() >= *m_silentFrom);
}

void RelayBoardSimulator::setPosition(double ticks)
{
    const std::lock_guard lock(m_mutex);
    m_position = ticks;
}

double RelayBoardSimulator::position() const
{
    const std::lock_guard lock(m_mutex);
    const double turn = m_dome.ticksPerTurn;
    return std::fmod(std::fmod(m_position, turn) + turn, turn);
}

double RelayBoardSimulator::shutter() const { const std::lock_guard l(m_mutex); return m_shutter; }
int RelayBoardSimulator::speedCode() const { const std::lock_guard l(m_mutex); return m_speedCode; }
bool RelayBoardSimulator::isConfigured() const { const std::lock_guard l(m_mutex); return m_configured; }
int RelayBoardSimulator::malformed() const { const std::lock_guard l(m_mutex); return m_malformed; }

bool RelayBoardSimulator::relayOn(int relay) const
{
    const std::lock_guard lock(m_mutex);
    return (m_relays >> (relay - 1)) & 1;
}

bool RelayBoardSimulator::outputOn(int output) const
{
    const std::lock_guard lock(m_mutex);
    return output == 8 ? m_open : output == 7 ? m_close : false;
}

QList<QByteArray> RelayBoardSimulator::commands() const
{
    const std::lock_guard lock(m_mutex);
    return m_commands;
}

void RelayBoardSimulator::advance(std::chrono::microseconds span)
{
    const std::lock_guard lock(m_mutex);
    const double seconds = std::chrono::duration<double>(span).count();
    const double travel = m_dome.ticksPerSecond * seconds;
    if (m_relays != 0) {
        m_position += m_direction * travel;
    } else if (m_coastLeft > 0.0) {
        const double step = std::min(m_coastLeft, travel);
        m_position += m_direction * step;
        m_coastLeft -= step;
    }
    const double shutterStep = seconds / m_dome.shutterSeconds;
    if (m_open)
        m_shutter = std::min(1.0, m_shutter + shutterStep);
    if (m_close)
        m_shutter = std::max(0.0, m_shutter - shutterStep);
}

int RelayBoardSimulator::tickNow() const
{
    const int turn = m_dome.ticksPerTurn;
    const int tick = int(std::floor(m_position));
    return ((tick % turn) + turn) % turn;
}

int RelayBoardSimulator::inputBits() const
{
    const int tick = tickNow();
    const bool active[4] = {tick % 2 == 1, tick == 0, m_shutter <= 0.0, m_shutter >= 1.0};
    int bits = 0;
    for (int i = 0; i < 4; ++i) {
        if (active[i] == m_activeHigh[i])
            bits |= 1 << i;
    }
    return bits;
}

void RelayBoardSimulator::switchRelays(int relays)
{
    if (m_relays != 0 && relays == 0)
        m_coastLeft = m_dome.coastTicks;
    if (relays != 0) {
        m_direction = (relays & 1) ? 1 : -1;
        m_coastLeft = 0.0;
    }
    m_relays = relays;
}

QByteArray RelayBoardSimulator::reply(const QByteArray& command)
{
    const auto number = [](int value) { return QByteArray::number(value) + kEnd; };
    if (command == "A!0")
        return number(170);
    if (command == "A@55") {
        m_setupMode = true;
        return number(64);
    }
    if (m_setupMode && command.startsWith("*b") && command.size() == 3) {
        m_pendingSpeed = command[2] - '0';
        return command.mid(2) + kEnd;
    }
    if (m_setupMode && command == "*d31")
        return number(31);
    if (m_setupMode && command == "*m50") {
        m_configured = true;
        return number(50);
    }
    if (command == "**0") {
        m_setupMode = false;
        if (m_pendingSpeed != 0)
            m_speedCode = m_pendingSpeed;
        m_pendingSpeed = 0;
        return {};
    }
    if (command == "AI15")
        return number(inputBits());
    if (command == "AR0")
        return number(m_relays);
    if (command == "AO0") {
        m_open = m_close = false;
        return {};
    }
    if (command == "AO128" || command == "AO64") {
        (command == "AO128" ? m_open : m_close) = true;
        return {};
    }
    if (command == "AL0") {
        switchRelays(0);
        return {};
    }
    if (command == "AH1" || command == "AH2") {
        switchRelays(command == "AH1" ? 1 : 2);
        return {};
    }
    if (command == "AM1" || command == "AM2") {
        m_position += (command == "AM1" ? 1 : -1) * m_dome.pulseTicks;
        return {};
    }
    ++m_malformed;
    return {};
}

DeviceSimulator::Response RelayBoardSimulator::answer(const QByteArray& pending)
{
    const qsizetype end = pending.indexOf(kEnd);
    if (end < 0)
        return {};
    const QByteArray command = pending.left(end);
    const std::lock_guard lock(m_mutex);
    m_commands.append(command);
    const speed_t own = kSpeeds[std::clamp(m_speedCode, 1, 6) - 1];
    if (m_lineSpeed && m_lineSpeed() != own)
        return {end + 1, {{kLineNoise}}};
    const QByteArray bytes = reply(command);
    noteSwitches();
    if (bytes.isEmpty() || isSilentNow())
        return {end + 1, {}};
    const DeviceSimulator::Duration delay = m_replyDelay.load();
    if (m_garbled)
        return {end + 1, {{"?x\r", delay}}};
    if (m_cut)
        return {end + 1, {{bytes.left(1), delay}}};
    return {end + 1, {{bytes, delay}}};
}
