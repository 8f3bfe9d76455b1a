#include "RoboFocusSimulator.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

constexpr qsizetype kFrame = 9;
constexpr qsizetype kStopFrame = 204;
// A move's echoes come in parts a little apart. A move that takes no time
// reports only its last steps, so that a reader one burst behind is never
// flooded; one whose steps take time reports each, in a few parts, none
// held back longer than kLongestPart: the motor echoes a step as it makes it.
constexpr int kEchoesPerPart = 10;
constexpr int kMostEchoes = 40;
constexpr int kMostParts = 8;
constexpr std::chrono::milliseconds kEchoGap{5};
constexpr std::chrono::milliseconds kLongestPart{250};

// Where a motor is once it made `made` steps from `from` by `turn` to `goal`.
int along(int from, int turn, int goal, int made)
{
    const int first = std::abs(turn - from);
    if (made <= first)
        return from + (turn > from ? made : -made);
    const int back = std::min(made - first, std::abs(goal - turn));
    return turn + (goal > turn ? back : -back);
}

quint8 checksum(const QByteArray& bytes)
{
    int sum = 0;
    for (qsizetype i = 0; i < std::min<qsizetype>(bytes.size(), 8); ++i)
        sum += quint8(bytes.at(i));
    return quint8(sum % 256);
}

}  // namespace

RoboFocusSimulator::RoboFocusSimulator(DeviceSimulator& device) : m_device(device)
{
    device.respond([this](const QByteArray& pending) { return answer(pending); });
}

void RoboFocusSimulator::setPosition(int steps) { const std::lock_guard l(m_mutex); m_position = m_from = m_turn = steps; }
void RoboFocusSimulator::setStepTime(std::chrono::milliseconds perStep) { const std::lock_guard l(m_mutex); m_stepTime = perStep; }
void RoboFocusSimulator::setMaximum(int steps) { const std::lock_guard l(m_mutex); m_maximum = steps; }
void RoboFocusSimulator::setTemperatureValue(int value) { const std::lock_guard l(m_mutex); m_temperature = value; }
void RoboFocusSimulator::leadNextReplyWith(QByteArray echoes) { const std::lock_guard l(m_mutex); m_lead = std::move(echoes); }
void RoboFocusSimulator::garbleNextReply() { const std::lock_guard l(m_mutex); m_garbleNext = true; }
void RoboFocusSimulator::delayNextReply(std::chrono::milliseconds delay) { const std::lock_guard l(m_mutex); m_nextDelay = delay; }
void RoboFocusSimulator::hangMidMove(int steps) { const std::lock_guard l(m_mutex); m_hangAfter = steps; }
void RoboFocusSimulator::loseEndRecordOfMove(int nth) { const std::lock_guard l(m_mutex); m_lostEndMove = m_moves + nth; }

void RoboFocusSimulator::pauseMove(int nth, int afterSteps, std::chrono::milliseconds pause, char noise)
{
    const std::lock_guard lock(m_mutex);
    m_pausedMove = m_moves + nth;
    m_pauseAfter = afterSteps;
    m_pause = pause;
    m_noise = noise;
}

void RoboFocusSimulator::stopNextMoveShort(int steps) { const std::lock_guard l(m_mutex); m_shortBy = steps; }
void RoboFocusSimulator::runOnAfterStop(int steps) { const std::lock_guard l(m_mutex); m_runOn = steps; }

void RoboFocusSimulator::wanderOnMove(int nth, int swing)
{
    const std::lock_guard lock(m_mutex);
    m_wanderMove = m_moves + nth;
    m_swing = swing;
}

void RoboFocusSimulator::setBacklash(int direction, int amount)
{
    const std::lock_guard lock(m_mutex);
    m_direction = direction;
    m_backlash[direction == 3 ? 1 : 0] = amount;
}

int RoboFocusSimulator::position() const
{
    const std::lock_guard lock(m_mutex);
    return positionLocked();
}

int RoboFocusSimulator::positionLocked() const
{
    if (m_stepTime.count() == 0)
        return m_position;
    const auto done = int((std::chrono::steady_clock::now() - m_moveStart) / m_stepTime);
    return along(m_from, m_turn, m_position, done);
}

int RoboFocusSimulator::maximum() const { const std::lock_guard l(m_mutex); return m_maximum; }
std::array<quint8, 3> RoboFocusSimulator::config() const { const std::lock_guard l(m_mutex); return m_config; }
bool RoboFocusSimulator::output(int k) const { const std::lock_guard l(m_mutex); return m_outputs.at(size_t(k - 1)); }

QList<QByteArray> RoboFocusSimulator::commands() const
{
    const std::lock_guard lock(m_mutex);
    return m_commands;
}

QList<QByteArray> RoboFocusSimulator::bytesDuringMoves() const
{
    const std::lock_guard lock(m_mutex);
    return m_duringMoves;
}

QList<std::chrono::milliseconds> RoboFocusSimulator::silencesBeforeStops() const
{
    const std::lock_guard lock(m_mutex);
    return m_silences;
}

QByteArray RoboFocusSimulator::frame(const QByteArray& eight)
{
    quint8 sum = checksum(eight);
    if (std::exchange(m_garbleNext, false))
        ++sum;
    return std::exchange(m_lead, {}) + eight + char(sum);
}

QByteArray RoboFocusSimulator::valueFrame(const char* letters, int value)
{
    return frame(QByteArray(letters) + QByteArray::number(value).rightJustified(6, '0'));
}

DeviceSimulator::Response RoboFocusSimulator::answer(const QByteArray& pending)
{
    // The stop: 'F', ' ', 201 'V' and its checksum.
    if (pending.startsWith("F ")) {
        if (pending.size() < kStopFrame)
            return {};
        const std::lock_guard lock(m_mutex);
        m_commands.append("F ");
        m_position = m_from = m_turn = positionLocked();
        return {kStopFrame, {}};
    }
    // Every frame starts with 'F': what a stop that stopped a move left
    // behind, or other noise, is passed over.
    if (pending.at(0) != 'F')
        return {1, {}, true};
    if (pending.size() < kFrame)
        return {};
    const QByteArray eight = pending.left(8);
    if (quint8(pending.at(8)) != checksum(eight))
        return {kFrame, {}};
    const std::lock_guard lock(m_mutex);
    m_commands.append(eight);
    if (m_isHung)
        return {kFrame, {}};
    const QByteArray name = eight.left(2);
    const bool asks = eight.mid(2) == "000000";
    if ((name == "FG" && !asks) || name == "FI" || name == "FO") {
        const int value = eight.mid(2).toInt();
        DeviceSimulator::Response move = moveTo(name == "FG" ? value : m_position + (name == "FI" ? -value : value));
        move.consumed = kFrame;
        return move;
    }
    std::vector<DeviceSimulator::ReplyPart> reply = replyTo(eight);
    if (!reply.empty())
        reply.front().after += std::exchange(m_nextDelay, {});
    return {kFrame, std::move(reply)};
}

DeviceSimulator::Response RoboFocusSimulator::moveTo(int goal)
{
    ++m_moves;
    if (m_moves == m_wanderMove)
        return wander(m_swing);
    goal = std::clamp(goal, 2, m_maximum);
    goal -= (goal > m_position ? 1 : -1) * std::exchange(m_shortBy, 0);
    const int stallAfter = std::exchange(m_hangAfter, -1);
    m_isHung = stallAfter >= 0;
    if (m_isHung)
        goal = m_position + std::clamp(goal - m_position, -stallAfter, stallAfter);
    const int turn = m_isHung ? goal : turnOf(m_position, goal);
    const QByteArray path = QByteArray(std::abs(turn - m_position), turn > m_position ? 'O' : 'I')
                            + QByteArray(std::abs(goal - turn), goal > turn ? 'O' : 'I');
    const int steps = int(path.size());
    const int echoes = m_stepTime.count() == 0 ? std::min(steps, kMostEchoes) : steps;
    DeviceSimulator::Response move;
    move.parts = withPause(echoParts(path, echoes));
    const int unreported = steps - echoes;
    m_from = m_position;
    m_turn = turn;
    m_moveStart = std::chrono::steady_clock::now();
    m_position = goal;
    if (m_isHung)
        return move;
    if (m_moves != m_lostEndMove)
        move.parts.push_back({valueFrame("FD", goal), kEchoGap});
    QByteArray sentBytes;
    for (const DeviceSimulator::ReplyPart& part : move.parts)
        sentBytes += part.bytes;
    move.interrupted = [this, from = m_from, turn, goal, unreported, sentBytes](const QByteArray& received,
                                                                                qsizetype sent) {
        const QByteArray out = sentBytes.left(sent);
        return stopMove(received, from, turn, goal, unreported, int(out.count('I') + out.count('O')));
    };
    return move;
}

int RoboFocusSimulator::turnOf(int from, int goal) const
{
    const bool compensates = goal < from ? m_direction == 2 : goal > from && m_direction == 3;
    if (!compensates)
        return goal;
    const int amount = m_backlash[m_direction == 3 ? 1 : 0];
    return std::clamp(goal + (goal > from ? amount : -amount), 0, m_maximum);
}

std::vector<DeviceSimulator::ReplyPart> RoboFocusSimulator::echoParts(const QByteArray& path, int echoes) const
{
    const int steps = int(path.size());
    const int inFewParts = std::max(kEchoesPerPart, (echoes + kMostParts - 1) / kMostParts);
    const int perPart = m_stepTime.count() == 0
                            ? inFewParts
                            : std::min(inFewParts, std::max(1, int(kLongestPart / m_stepTime)));
    std::vector<DeviceSimulator::ReplyPart> parts;
    // Each part comes when its steps are made; the steps not reported
    // come first.
    int ahead = steps - echoes;
    for (int at = ahead; at < steps; at += perPart) {
        const int part = std::min(steps - at, perPart);
        parts.push_back({path.mid(at, part), kEchoGap + m_stepTime * (part + std::exchange(ahead, 0))});
    }
    return parts;
}

std::vector<DeviceSimulator::ReplyPart> RoboFocusSimulator::withPause(std::vector<DeviceSimulator::ReplyPart> parts) const
{
    if (m_moves != m_pausedMove)
        return parts;
    std::vector<DeviceSimulator::ReplyPart> paused;
    int made = 0;
    bool isPaused = false;
    for (DeviceSimulator::ReplyPart& part : parts) {
        const int size = int(part.bytes.size());
        if (isPaused || made + size < m_pauseAfter) {
            made += size;
            paused.push_back(std::move(part));
            continue;
        }
        const int before = m_pauseAfter - made;
        if (before > 0)
            paused.push_back({part.bytes.left(before), part.after});
        std::chrono::milliseconds left = m_pause;
        while (m_noise != 0 && left > kNoiseGap) {
            paused.push_back({QByteArray(1, m_noise), kNoiseGap});
            left -= kNoiseGap;
        }
        paused.push_back({part.bytes.mid(std::max(before, 0)),
                          left + (before > 0 ? m_stepTime * (size - before) : part.after)});
        made += size;
        isPaused = true;
    }
    return paused;
}

DeviceSimulator::Response RoboFocusSimulator::wander(int swing)
{
    // Out and back for ten minutes at most, a step and its echo at a time.
    const std::chrono::milliseconds perStep = std::max(m_stepTime, std::chrono::milliseconds(100));
    const int steps = int(std::chrono::minutes(10) / perStep);
    DeviceSimulator::Response move;
    QByteArray sentBytes;
    for (int i = 0; i < steps; ++i) {
        const char echo = (i / swing) % 2 == 0 ? 'O' : 'I';
        move.parts.push_back({QByteArray(1, echo), perStep});
        sentBytes += echo;
    }
    m_from = m_turn = m_position;
    move.interrupted = [this, from = m_position, sentBytes](const QByteArray& received, qsizetype sent) {
        const QByteArray out = sentBytes.left(sent);
        const int net = int(out.count('O') - out.count('I'));
        return stopMove(received, from, from + net, from + net, 0, std::abs(net));
    };
    return move;
}

std::vector<DeviceSimulator::ReplyPart> RoboFocusSimulator::stopMove(const QByteArray& received, int from,
                                                                     int turn, int goal, int unreported, int echoed)
{
    const std::lock_guard lock(m_mutex);
    m_duringMoves.append(received);
    m_silences.append(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now()
                                                                             - m_device.lastSentAt()));
    if (received.startsWith("F "))
        m_commands.append("F ");
    m_position = m_from = m_turn = along(from, turn, goal, unreported + echoed);
    std::vector<DeviceSimulator::ReplyPart> parts;
    for (int step = std::exchange(m_runOn, 0); step > 0 && m_position < m_maximum; --step, ++m_position)
        parts.push_back({"O", std::max(m_stepTime, kRunOnStep)});
    parts.push_back({valueFrame("FD", m_position), kEchoGap});
    return parts;
}

std::vector<DeviceSimulator::ReplyPart> RoboFocusSimulator::replyTo(const QByteArray& eight)
{
    const QByteArray name = eight.left(2);
    const QByteArray digits = eight.mid(2);
    const int value = digits.toInt();
    const bool asks = digits == "000000";
    if (name == "FV")
        return {{frame("FV003.30")}};
    if (name == "FG" && asks)
        return {{valueFrame("FD", m_position)}};
    if (name == "FS") {
        m_position = m_from = m_turn = value;
        return {{valueFrame("FS", value)}};
    }
    if (name == "FL") {
        if (!asks)
            m_maximum = value;
        return {{valueFrame("FL", m_maximum)}};
    }
    if (name == "FP") {
        if (!asks) {
            for (int k = 0; k < 4; ++k)
                m_outputs[size_t(k)] = eight.at(4 + k) == '2';
        }
        QByteArray states = "FP00";
        for (const bool on : m_outputs)
            states += on ? '2' : '1';
        return {{frame(states)}};
    }
    if (name == "FB") {
        // An amount of 0 only asks, whatever direction it names.
        if (eight.mid(3).toInt() != 0) {
            m_direction = eight.at(2) - '0';
            m_backlash[m_direction == 3 ? 1 : 0] = eight.mid(3).toInt();
        }
        const int amount = m_backlash[m_direction == 3 ? 1 : 0];
        return {{frame("FB" + QByteArray::number(m_direction) + QByteArray::number(amount).rightJustified(5, '0'))}};
    }
    if (name == "FC") {
        if (asks)
            return {{frame("FC" + QByteArray(1, char(m_config[0])) + char(m_config[1]) + char(m_config[2]) + "000")}};
        m_config = {quint8(eight.at(2)), quint8(eight.at(3)), quint8(eight.at(4))};
        return {};
    }
    if (name == "FT")
        return {{frame("FT00" + QByteArray::number(m_temperature).rightJustified(4, '0'))}};
    return {};
}
