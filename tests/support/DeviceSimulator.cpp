#include "DeviceSimulator.h"

#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <utility>

namespace {

constexpr int kPollMs = 5;

bool isSocket(int fd)
{
    int type = 0;
    socklen_t length = sizeof(type);
    return getsockopt(fd, SOL_SOCKET, SO_TYPE, &type, &length) == 0;
}

}  // namespace

void DeviceSimulator::answer(QByteArray request, QByteArray reply)
{
    m_table.emplace_back(std::move(request), std::move(reply));
}

void DeviceSimulator::start(int fd)
{
    m_fd = fd;
    m_running = true;
    m_thread = std::thread([this] { run(); });
}

void DeviceSimulator::stop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_running = false;
    }
    m_holdChanged.notify_all();
    if (m_thread.joinable())
        m_thread.join();
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

QByteArray DeviceSimulator::received() const
{
    const std::lock_guard lock(m_mutex);
    return m_received;
}

std::vector<QByteArray> DeviceSimulator::frames() const
{
    const std::lock_guard lock(m_mutex);
    return m_frames;
}

void DeviceSimulator::send(const QByteArray& bytes)
{
    writeAll(bytes.constData(), bytes.size());
}

void DeviceSimulator::babble(QByteArray bytes, Duration every)
{
    const std::lock_guard lock(m_mutex);
    m_babble = std::move(bytes);
    m_babbleEvery = every;
    m_nextBabble = std::chrono::steady_clock::now();
}

void DeviceSimulator::babbleIfDue()
{
    QByteArray bytes;
    {
        const std::lock_guard lock(m_mutex);
        const auto now = std::chrono::steady_clock::now();
        if (m_babble.isEmpty() || now < m_nextBabble)
            return;
        m_nextBabble = now + m_babbleEvery;
        bytes = m_babble;
    }
    pollfd room{m_fd, POLLOUT, 0};
    if (::poll(&room, 1, 0) > 0 && (room.revents & POLLOUT) != 0) {
        [[maybe_unused]] const ssize_t sent = ::write(m_fd, bytes.constData(), size_t(bytes.size()));
    }
}

void DeviceSimulator::writeAll(const char* bytes, qsizetype size)
{
    while (size > 0 && m_fd >= 0) {
        const ssize_t sent = isSocket(m_fd) ? ::send(m_fd, bytes, size_t(size), MSG_NOSIGNAL)
                                            : ::write(m_fd, bytes, size_t(size));
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            return;
        m_lastSentAt = std::chrono::steady_clock::now();
        bytes += sent;
        size -= sent;
    }
}

bool DeviceSimulator::reply(const QByteArray& bytes, bool garbled)
{
    QByteArray out = m_garbage.isEmpty() ? bytes : m_garbage;
    if (garbled)
        std::transform(out.begin(), out.end(), out.begin(), [](char c) { return char(~c); });
    if (m_keep >= 0)
        out.truncate(m_keep);
    if (!waitUnlessInterrupted(m_delay))
        return false;
    const qsizetype splitAt = m_splitHalf ? out.size() / 2 : m_splitAt;
    const bool split = splitAt > 0 && splitAt < out.size();
    const qsizetype first = split ? splitAt : out.size();
    writeAll(out.constData(), first);
    m_sent += first;
    if (!split)
        return true;
    if (!waitUnlessInterrupted(m_splitGap))
        return false;
    writeAll(out.constData() + first, out.size() - first);
    m_sent += out.size() - first;
    return true;
}

void DeviceSimulator::reply(const std::vector<ReplyPart>& parts, bool garbled, const Interruption& interrupted)
{
    m_interruptible = bool(interrupted);
    m_sent = 0;
    for (const ReplyPart& part : parts) {
        if (waitUnlessInterrupted(part.after) && reply(part.bytes, garbled))
            continue;
        m_interruptible = false;
        for (const ReplyPart& instead : interrupted(std::exchange(m_interruption, {}), m_sent)) {
            std::this_thread::sleep_for(instead.after);
            reply(instead.bytes, garbled);
        }
        return;
    }
    m_interruptible = false;
}

bool DeviceSimulator::waitUnlessInterrupted(Duration span)
{
    if (!m_interruptible) {
        std::this_thread::sleep_for(span);
        return true;
    }
    const auto end = std::chrono::steady_clock::now() + span;
    for (;;) {
        const auto left = std::chrono::ceil<Duration>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return true;
        pollfd ready{m_fd, POLLIN, 0};
        if (::poll(&ready, 1, int(left.count())) <= 0)
            continue;
        char chunk[512];
        const ssize_t got = (ready.revents & POLLIN) != 0 ? ::read(m_fd, chunk, sizeof(chunk)) : 0;
        if (got <= 0) {
            // The other side went away: the wait runs out.
            std::this_thread::sleep_for(left);
            return true;
        }
        const std::lock_guard lock(m_mutex);
        m_received.append(chunk, got);
        m_interruption = QByteArray(chunk, got);
        return false;
    }
}

bool DeviceSimulator::answerOrClose(const std::vector<ReplyPart>& parts, const Interruption& interrupted)
{
    if (m_closeOnRequest) {
        if (isSocket(m_fd)) {
            const linger reset{1, 0};
            setsockopt(m_fd, SOL_SOCKET, SO_LINGER, &reset, sizeof(reset));
        }
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    const bool silent = m_noAnswer || (m_answerLimit >= 0 && m_answered >= m_answerLimit);
    if (silent || parts.empty())
        return true;
    if (m_dropEvery > 0 && ++m_due % m_dropEvery == 0) {
        spendAnswerTime(parts);
        return true;
    }
    reply(parts, m_garbleEvery > 0 && (m_answered + 1) % m_garbleEvery == 0, interrupted);
    ++m_answered;
    return true;
}

void DeviceSimulator::spendAnswerTime(const std::vector<ReplyPart>& parts) const
{
    for (const ReplyPart& part : parts)
        std::this_thread::sleep_for(part.after + m_delay);
}

void DeviceSimulator::holdReplyTo(QByteArray request)
{
    const std::lock_guard lock(m_mutex);
    m_heldRequest = std::move(request);
    m_held = true;
}

void DeviceSimulator::releaseReply()
{
    {
        const std::lock_guard lock(m_mutex);
        m_held = false;
    }
    m_holdChanged.notify_all();
}

void DeviceSimulator::waitIfHeld(const QByteArray& frame)
{
    std::unique_lock lock(m_mutex);
    if (m_held && frame.startsWith(m_heldRequest))
        m_holdChanged.wait(lock, [this] { return !m_held || !m_running; });
}

bool DeviceSimulator::serve(QByteArray& pending)
{
    while (m_responder && !pending.isEmpty()) {
        Response response = m_responder(pending);
        if (response.consumed <= 0)
            return true;
        if (!response.noise) {
            const std::lock_guard lock(m_mutex);
            m_frames.push_back(pending.left(response.consumed));
        }
        waitIfHeld(pending.left(response.consumed));
        pending.remove(0, response.consumed);
        if (!answerOrClose(response.parts, response.interrupted))
            return false;
    }
    if (m_responder)
        return true;
    for (;;) {
        const auto match = std::find_if(m_table.begin(), m_table.end(), [&](const auto& entry) {
            return pending.startsWith(entry.first);
        });
        if (match != m_table.end()) {
            waitIfHeld(match->first);
            pending.remove(0, match->first.size());
            if (!answerOrClose({{match->second, Duration(0)}}))
                return false;
            continue;
        }
        // Bytes no request can start with are noise: drop them one by one.
        const bool couldMatch = std::any_of(m_table.begin(), m_table.end(), [&](const auto& entry) {
            return entry.first.startsWith(pending);
        });
        if (pending.isEmpty() || couldMatch)
            return true;
        pending.remove(0, 1);
    }
}

void DeviceSimulator::run()
{
    QByteArray pending;
    char chunk[512];
    while (m_running && m_fd >= 0) {
        babbleIfDue();
        pollfd ready{m_fd, POLLIN, 0};
        if (::poll(&ready, 1, kPollMs) <= 0)
            continue;
        // Before the read, so that no byte is taken while it looks idle.
        m_busy = true;
        const ssize_t got = ::read(m_fd, chunk, sizeof(chunk));
        if (got <= 0) {
            m_busy = false;
            if (got < 0 && errno == EINTR)
                continue;
            // The other side went away; wait to be stopped.
            std::this_thread::sleep_for(std::chrono::milliseconds(kPollMs));
            continue;
        }
        {
            const std::lock_guard lock(m_mutex);
            m_received.append(chunk, got);
        }
        pending.append(chunk, got);
        const bool serving = serve(pending);
        m_busy = false;
        if (!serving)
            return;
    }
}

bool DeviceSimulator::isDrained() const
{
    // Unread bytes first: none left means the read that took them set
    // m_busy before, which then stays set until they were served.
    const int fd = m_fd;
    int unread = 0;
    if (fd >= 0 && ::ioctl(fd, FIONREAD, &unread) == 0 && unread > 0)
        return false;
    return !m_busy;
}
