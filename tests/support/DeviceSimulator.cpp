#include "DeviceSimulator.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>

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
    m_running = false;
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

void DeviceSimulator::send(const QByteArray& bytes)
{
    writeAll(bytes.constData(), bytes.size());
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
        bytes += sent;
        size -= sent;
    }
}

void DeviceSimulator::reply(const QByteArray& bytes)
{
    QByteArray out = m_garbage.isEmpty() ? bytes : m_garbage;
    if (m_keep >= 0)
        out.truncate(m_keep);
    std::this_thread::sleep_for(m_delay);
    if (m_splitAt >= 0 && m_splitAt < out.size()) {
        writeAll(out.constData(), m_splitAt);
        std::this_thread::sleep_for(m_splitGap);
        writeAll(out.constData() + m_splitAt, out.size() - m_splitAt);
    } else {
        writeAll(out.constData(), out.size());
    }
}

bool DeviceSimulator::answerRequest(const QByteArray& answer)
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
    if (!silent) {
        // A responder's empty answer is a command the device does not answer.
        if (!answer.isEmpty() || !m_responder)
            reply(answer);
        ++m_answered;
    }
    return true;
}

bool DeviceSimulator::serveResponder(QByteArray& pending)
{
    while (!pending.isEmpty()) {
        const Response response = m_responder(pending);
        if (response.consumed == 0)
            return true;
        if (response.consumed < 0) {
            pending.remove(0, 1);
            continue;
        }
        pending.remove(0, response.consumed);
        if (!answerRequest(response.reply))
            return false;
    }
    return true;
}

bool DeviceSimulator::serve(QByteArray& pending)
{
    if (m_responder)
        return serveResponder(pending);
    for (;;) {
        const auto match = std::find_if(m_table.begin(), m_table.end(), [&](const auto& entry) {
            return pending.startsWith(entry.first);
        });
        if (match != m_table.end()) {
            pending.remove(0, match->first.size());
            if (!answerRequest(match->second))
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
        pollfd ready{m_fd, POLLIN, 0};
        if (::poll(&ready, 1, kPollMs) <= 0)
            continue;
        const ssize_t got = ::read(m_fd, chunk, sizeof(chunk));
        if (got <= 0) {
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
        if (!serve(pending))
            return;
    }
}
