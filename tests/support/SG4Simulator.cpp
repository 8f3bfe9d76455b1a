#include "SG4Simulator.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <utility>

namespace {

using Part = DeviceSimulator::ReplyPart;
using Response = DeviceSimulator::Response;

struct CommandShape {
    char letter;
    int dataBytes;
    int replyBytes;
};
constexpr std::array<CommandShape, 22> kCommands = {{
    {'E', 0, 2}, {'V', 0, 3}, {'B', 1, 1}, {'O', 0, 1}, {'C', 0, 1}, {'K', 0, 1},
    {'G', 3, 1}, {'g', 1, 1}, {'M', 2, 1}, {'m', 0, 3}, {'N', 2, 1}, {'n', 0, 3},
    {'Z', 1, 3}, {'z', 0, 2}, {'Y', 1, 3}, {'y', 0, 2}, {'S', 5, 1}, {'T', 5, 1},
    {'A', 0, 1}, {'X', 0, 1}, {'H', 0, 1}, {'I', 0, 1},
}};

constexpr std::array<std::pair<long, speed_t>, 7> kLineSpeeds = {{
    {9600, B9600}, {19200, B19200}, {38400, B38400}, {57600, B57600},
    {115200, B115200}, {230400, B230400}, {460800, B460800},
}};

quint8 checksum(const char* bytes, qsizetype size)
{
    quint8 sum = 0;
    for (qsizetype i = 0; i < size; ++i)
        sum = quint8(~(quint8(bytes[i]) ^ sum) & 0x7F);
    return sum;
}

const CommandShape* shapeOf(char letter)
{
    const auto found = std::find_if(kCommands.begin(), kCommands.end(),
                                    [letter](const CommandShape& c) { return c.letter == letter; });
    return found == kCommands.end() ? nullptr : &*found;
}

constexpr int kBitsPerByte = 10;
// The camera's answer to "Test" at its new speed: the six bytes and no line end.
const QByteArray kSpeedOk("TestOk");
const QByteArray kSpeedWrong("TestNo");

}  // namespace

SG4Simulator::SG4Simulator(DeviceSimulator& device, std::function<speed_t()> lineSpeed)
    : m_device(device), m_lineSpeed(std::move(lineSpeed)),
      m_pixels([](int index, quint8 type) { return quint16(type == 0 ? 100 : 1000 + index % 3000); })
{
    device.respond([this](const QByteArray& pending) { return answer(pending); });
    m_clock = std::thread([this] { exposureClock(); });
}

SG4Simulator::~SG4Simulator()
{
    {
        const std::lock_guard lock(m_mutex);
        m_clockQuit = true;
    }
    m_clockWake.notify_all();
    m_clock.join();
}

void SG4Simulator::setSpeed(long baud) { const std::lock_guard l(m_mutex); m_speed = baud; }
long SG4Simulator::speed() const { const std::lock_guard l(m_mutex); return m_speed; }
void SG4Simulator::setPixels(Pixels pixels) { const std::lock_guard l(m_mutex); m_pixels = std::move(pixels); }
void SG4Simulator::setShortExposure(std::chrono::milliseconds longest) { const std::lock_guard l(m_mutex); m_shortExposure = longest; }
void SG4Simulator::corruptNext(int count) { const std::lock_guard l(m_mutex); m_corruptNext = count; }
void SG4Simulator::setSilent(bool silent) { const std::lock_guard l(m_mutex); m_silent = silent; }
void SG4Simulator::setStrayBytes(bool stray) { const std::lock_guard l(m_mutex); m_stray = stray; }
void SG4Simulator::setNeverDone(bool never) { const std::lock_guard l(m_mutex); m_neverDone = never; }
void SG4Simulator::setSpeedTest(SpeedTest answer) { const std::lock_guard l(m_mutex); m_speedTest = answer; }
void SG4Simulator::setSpeedTestTail(QByteArray tail)
{
    const std::lock_guard l(m_mutex);
    m_speedTestTail = std::move(tail);
}
void SG4Simulator::setPacing(bool paced) { const std::lock_guard l(m_mutex); m_paced = paced; }
QList<QByteArray> SG4Simulator::commands() const { const std::lock_guard l(m_mutex); return m_commands; }
QByteArray SG4Simulator::acks() const { const std::lock_guard l(m_mutex); return m_acks; }
int SG4Simulator::blocksSent() const { const std::lock_guard l(m_mutex); return m_blocksSent; }
int SG4Simulator::transfersDone() const { const std::lock_guard l(m_mutex); return m_transfersDone; }
quint8 SG4Simulator::relays() const { const std::lock_guard l(m_mutex); return m_relays; }
quint32 SG4Simulator::lastExposureUnits() const { const std::lock_guard l(m_mutex); return m_exposureUnits; }
bool SG4Simulator::isGuiding() const { const std::lock_guard l(m_mutex); return m_guiding; }
bool SG4Simulator::isExposing() const { const std::lock_guard l(m_mutex); return m_exposing; }
int SG4Simulator::progressBytesSent() const { const std::lock_guard l(m_mutex); return m_progressSent; }
int SG4Simulator::abortsWhileExposing() const { const std::lock_guard l(m_mutex); return m_abortsWhileExposing; }
std::chrono::steady_clock::time_point SG4Simulator::exposureTakenAt() const { const std::lock_guard l(m_mutex); return m_exposureTaken; }
std::chrono::steady_clock::time_point SG4Simulator::exposureEndedAt() const { const std::lock_guard l(m_mutex); return m_exposureEnded; }

void SG4Simulator::setProgressBytes(std::chrono::milliseconds least, std::chrono::milliseconds most)
{
    const std::lock_guard lock(m_mutex);
    m_progressLeast = least;
    m_progressMost = most.count() == 0 ? most : std::max(least, most);
}

std::chrono::milliseconds SG4Simulator::nextProgressGap()
{
    return std::chrono::milliseconds(std::uniform_int_distribution<qint64>(
        m_progressLeast.count(), m_progressMost.count())(m_progressRandom));
}

void SG4Simulator::setVersion(quint8 major, quint8 minor)
{
    const std::lock_guard lock(m_mutex);
    m_versionMajor = major;
    m_versionMinor = minor;
}

void SG4Simulator::setGuider(quint16 maxMove, quint16 minMove, quint8 xAggressive, quint8 yAggressive)
{
    const std::lock_guard lock(m_mutex);
    m_maxMove = maxMove;
    m_minMove = minMove;
    m_xAggressive = xAggressive;
    m_yAggressive = yAggressive;
}

void SG4Simulator::setCalibrationReport(QByteArray report, qsizetype piece,
                                        std::chrono::milliseconds gap)
{
    const std::lock_guard lock(m_mutex);
    m_report = std::move(report);
    m_reportPiece = std::max<qsizetype>(piece, 1);
    m_reportGap = gap;
}

void SG4Simulator::corruptAtRate(double rate, unsigned seed)
{
    const std::lock_guard lock(m_mutex);
    m_corruptRate = rate;
    m_random.seed(seed);
}

void SG4Simulator::delayBlock(int index, std::chrono::milliseconds delay)
{
    const std::lock_guard lock(m_mutex);
    m_slowBlock = index;
    m_slowDelay = delay;
}

bool SG4Simulator::atOwnSpeed() const
{
    if (!m_lineSpeed)
        return true;
    const auto own = std::find_if(kLineSpeeds.begin(), kLineSpeeds.end(),
                                  [this](const auto& entry) { return entry.first == m_speed; });
    return own != kLineSpeeds.end() && own->second == m_lineSpeed();
}

Response SG4Simulator::answer(const QByteArray& pending)
{
    const std::lock_guard lock(m_mutex);
    if (!atOwnSpeed()) {
        // Bytes at another speed arrive as framing garbage: taken, never answered
        // with anything the host could read as a reply.
        return {pending.size(), {{QByteArray(int(pending.size()), char(0xFF)), {}}}};
    }
    switch (m_state) {
    case State::Transfer:
        return transferAck(pending.front());
    case State::AwaitTest:
        if (pending.size() < 4)
            return {};
        if (!pending.startsWith("Test")) {
            m_state = State::Commands;
            return {1, {}};
        }
        m_state = State::AwaitConfirm;
        if (m_speedTest == SpeedTest::Silent)
            return {4, {}};
        return {4, {{(m_speedTest == SpeedTest::Answer ? kSpeedOk : kSpeedWrong) + m_speedTestTail, {}}}};
    case State::AwaitConfirm:
        m_state = State::Commands;
        return {1, {}};
    case State::Commands:
        break;
    }
    return command(pending);
}

Response SG4Simulator::command(const QByteArray& pending)
{
    const CommandShape* shape = shapeOf(pending.front());
    if (shape == nullptr)
        return {1, {}};
    const qsizetype length = 1 + shape->dataBytes + 1;
    if (pending.size() < length)
        return {};
    const QByteArray whole = pending.left(length);
    m_commands.append(whole);
    if (quint8(whole.back()) != checksum(whole.constData(), length - 1) || m_silent)
        return {length, {}};
    std::vector<Part> parts{{reply(whole), {}}};
    if (whole.front() == 'X' && m_state == State::Transfer) {
        for (Part& part : block(0))
            parts.push_back(std::move(part));
    } else if (whole.front() == 'H' && m_calibrating) {
        for (qsizetype at = 0; at < m_report.size(); at += m_reportPiece)
            parts.push_back({m_report.mid(at, m_reportPiece), m_reportGap});
    }
    return {length, std::move(parts)};
}

QByteArray SG4Simulator::reply(const QByteArray& command)
{
    const char letter = command.front();
    const auto byte = [&](int i) { return quint8(command[i]); };
    QByteArray out(1, command.back());
    switch (letter) {
    case 'E':
        out += 'O';
        break;
    case 'V':
        out += char(m_versionMajor);
        out += char(m_versionMinor);
        break;
    case 'B':
        if (byte(1) < '0' || byte(1) > '6')
            return {};
        m_speed = kLineSpeeds[byte(1) - '0'].first;
        m_state = State::AwaitTest;
        break;
    case 'g':
        m_relays = byte(1);
        break;
    case 'M': m_maxMove = quint16(byte(1) << 8 | byte(2)); break;
    case 'N': m_minMove = quint16(byte(1) << 8 | byte(2)); break;
    case 'm': out += char(m_maxMove >> 8); out += char(m_maxMove & 0xFF); break;
    case 'n': out += char(m_minMove >> 8); out += char(m_minMove & 0xFF); break;
    case 'Z': m_xAggressive = byte(1); out += 'K'; break;
    case 'Y': m_yAggressive = byte(1); out += 'K'; break;
    case 'z': out += char(m_xAggressive); break;
    case 'y': out += char(m_yAggressive); break;
    case 'S':
        m_subFrameSide = byte(5);
        break;
    case 'T': {
        m_exposureUnits = quint32(byte(1)) << 16 | quint32(byte(2)) << 8 | byte(3);
        m_mode = byte(4);
        m_type = byte(5);
        const std::chrono::milliseconds span(m_exposureUnits / 10);
        m_exposureTaken = std::chrono::steady_clock::now();
        if (span <= m_shortExposure && !m_neverDone) {
            m_exposureEnded = m_exposureTaken;
            out += 'D';
        } else {
            m_exposing = !m_neverDone;
            m_exposureEnd = m_exposureTaken + span;
            m_nextProgress = m_exposureTaken + nextProgressGap();
            m_clockWake.notify_all();
        }
        break;
    }
    case 'A':
        m_abortsWhileExposing += m_exposing ? 1 : 0;
        m_exposing = false;
        break;
    case 'X': {
        const int full = m_mode == 0 ? 307200 : m_mode == 1 ? 245760 : m_mode == 2 ? 76800
                                                                               : m_subFrameSide * m_subFrameSide;
        m_blocks = m_mode == 0 || m_mode == 2 ? 75 : m_mode == 1 ? 60 : m_subFrameSide;
        if (m_blocks == 0)
            return {};
        m_blockBytes = m_blocks > 0 ? full * 2 / m_blocks : 0;
        m_image.resize(full * 2);
        for (int i = 0; i < full; ++i) {
            const quint16 value = m_pixels(i, m_type);
            m_image[2 * i] = char(value & 0xFF);
            m_image[2 * i + 1] = char(value >> 8);
        }
        m_block = 0;
        m_state = State::Transfer;
        return out;
    }
    case 'H':
        m_calibrating = !m_calibrating;
        break;
    case 'I':
        m_guiding = !m_guiding;
        break;
    default:
        break;
    }
    return out;
}


Response SG4Simulator::transferAck(char ack)
{
    m_acks += ack;
    if (ack == 'S') {
        m_state = State::Commands;
        return {1, {}};
    }
    if (ack == 'K')
        ++m_block;
    else if (ack != 'R')
        return {1, {}};
    if (m_block >= m_blocks) {
        m_state = State::Commands;
        ++m_transfersDone;
        return {1, {}};
    }
    return {1, block(m_block)};
}

std::vector<DeviceSimulator::ReplyPart> SG4Simulator::block(int index)
{
    QByteArray data = m_image.mid(qsizetype(index) * m_blockBytes, m_blockBytes);
    quint8 sum = 0;
    for (const char byte : data)
        sum ^= quint8(byte);
    bool corrupt = m_corruptNext > 0;
    if (corrupt)
        --m_corruptNext;
    if (m_corruptRate > 0.0 && std::uniform_real_distribution<double>(0.0, 1.0)(m_random) < m_corruptRate)
        corrupt = true;
    data += char(corrupt ? sum ^ 0x5A : sum);
    ++m_blocksSent;

    std::vector<Part> parts;
    const std::chrono::milliseconds before = index == m_slowBlock ? m_slowDelay : std::chrono::milliseconds(0);
    if (m_stray) {
        parts.push_back({QByteArray(1, 'E'), before});
        parts.push_back({{}, std::chrono::milliseconds(20)});
    } else if (before.count() > 0) {
        parts.push_back({{}, before});
    }
    if (!m_paced) {
        parts.push_back({data, {}});
        return parts;
    }
    // Each piece waits for the time the line takes to carry the one before,
    // counted from the block's start so that rounding never adds up.
    const double msPerByte = 1000.0 * kBitsPerByte / double(m_speed);
    const qsizetype piece = std::max<qsizetype>(m_speed / 100, 1);
    qint64 scheduled = 0;
    for (qsizetype at = 0;; at += piece) {
        const qsizetype sent = std::min(at, data.size());
        const qint64 due = std::llround(double(sent) * msPerByte);
        parts.push_back({data.mid(sent, piece), std::chrono::milliseconds(due - scheduled)});
        scheduled = due;
        if (sent == data.size())
            break;
    }
    return parts;
}

void SG4Simulator::exposureClock()
{
    std::unique_lock lock(m_mutex);
    while (!m_clockQuit) {
        if (!m_exposing) {
            m_clockWake.wait(lock);
            continue;
        }
        const bool progressFirst = m_progressMost.count() > 0 && m_nextProgress < m_exposureEnd;
        m_clockWake.wait_until(lock, progressFirst ? m_nextProgress : m_exposureEnd);
        if (!m_exposing)
            continue;
        const auto now = std::chrono::steady_clock::now();
        QByteArray unasked;
        if (now >= m_exposureEnd) {
            m_exposing = false;
            m_exposureEnded = now;
            unasked = "D";
        } else if (progressFirst && now >= m_nextProgress) {
            m_nextProgress = now + nextProgressGap();
            // A camera sending image blocks keeps its progress to itself.
            if (m_state != State::Transfer) {
                ++m_progressSent;
                unasked = "E";
            }
        }
        if (!unasked.isEmpty()) {
            lock.unlock();
            m_device.send(unasked);
            lock.lock();
        }
    }
}
