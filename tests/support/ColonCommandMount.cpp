#include "ColonCommandMount.h"

namespace {

constexpr char kAck = 0x06;
// A frame longer than this without its `#` is noise.
constexpr qsizetype kLongestFrame = 64;

bool opensFrame(char c)
{
    return c == ':' || c == '<' || c == '>';
}

}  // namespace

ColonCommandMount::ColonCommandMount(std::unique_ptr<Personality> personality)
    : m_personality(std::move(personality))
{
}

void ColonCommandMount::attach(DeviceSimulator& device)
{
    m_device = &device;
    device.respond([this](const QByteArray& pending) { return respond(pending); });
}

DeviceSimulator::Response ColonCommandMount::respond(const QByteArray& pending)
{
    QByteArray frame;
    if (pending[0] == kAck) {
        frame = pending.left(1);
    } else if (opensFrame(pending[0])) {
        const qsizetype end = pending.indexOf('#');
        if (end < 0)
            return {pending.size() > kLongestFrame ? 1 : 0, {}, true};
        frame = pending.left(end + 1);
    } else {
        return {1, {}, true};
    }
    return {frame.size(), m_personality->answer(frame, *this)};
}

void ColonCommandMount::advance()
{
    if (!m_slewing)
        return;
    const double done =
        std::chrono::duration<double>(Clock::now() - m_slewStart) / std::chrono::duration<double>(m_slewTime);
    if (done >= 1.0) {
        m_sky.ra = m_sky.targetRA;
        m_sky.dec = m_sky.targetDec;
        m_slewing = false;
        return;
    }
    m_sky.ra = m_fromRA + (m_sky.targetRA - m_fromRA) * done;
    m_sky.dec = m_fromDec + (m_sky.targetDec - m_fromDec) * done;
}

ColonCommandMount::Sky ColonCommandMount::sky()
{
    const std::lock_guard lock(m_mutex);
    advance();
    return m_sky;
}

void ColonCommandMount::setSky(const Sky& sky)
{
    const std::lock_guard lock(m_mutex);
    m_sky = sky;
}

void ColonCommandMount::startGoto()
{
    const std::lock_guard lock(m_mutex);
    advance();
    m_fromRA = m_sky.ra;
    m_fromDec = m_sky.dec;
    m_slewStart = Clock::now();
    m_slewing = true;
}

bool ColonCommandMount::isSlewing()
{
    const std::lock_guard lock(m_mutex);
    advance();
    return m_slewing;
}

std::vector<QByteArray> ColonCommandMount::frames() const
{
    return m_device ? m_device->frames() : std::vector<QByteArray>{};
}

int ColonCommandMount::badFrames()
{
    const std::lock_guard lock(m_mutex);
    return m_badFrames;
}

void ColonCommandMount::countBadFrame()
{
    const std::lock_guard lock(m_mutex);
    ++m_badFrames;
}
