#include "LoopbackDevice.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace {

constexpr int kAcceptWaitMs = 5000;

sockaddr_in loopback(quint16 port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return address;
}

// A listening socket on 127.0.0.1 and the port it got.
std::pair<int, quint16> listenOnLoopback(int backlog)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in address = loopback(0);
    socklen_t length = sizeof(address);
    if (fd < 0 || ::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) != 0
        || ::listen(fd, backlog) != 0
        || getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("cannot listen on 127.0.0.1");
    return {fd, ntohs(address.sin_port)};
}

}  // namespace

LoopbackDevice::LoopbackDevice()
{
    std::tie(m_listener, m_port) = listenOnLoopback(0);
}

LoopbackDevice::~LoopbackDevice()
{
    if (m_acceptor.joinable())
        m_acceptor.join();
    m_simulator.stop();
    for (const int fd : m_stallers) {
        if (fd >= 0)
            ::close(fd);
    }
    if (m_listener >= 0)
        ::close(m_listener);
}

void LoopbackDevice::start()
{
    m_acceptor = std::thread([this] {
        pollfd ready{m_listener, POLLIN, 0};
        if (::poll(&ready, 1, kAcceptWaitMs) <= 0)
            return;
        const int fd = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd >= 0)
            m_simulator.start(fd);
    });
}

void LoopbackDevice::stall()
{
    // With a backlog of 0 the queue holds one connection; the next waits
    // for the handshake's answer, which never comes while the queue is full.
    const sockaddr_in address = loopback(m_port);
    for (int& fd : m_stallers) {
        fd = ::socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
        ::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof(address));
    }
}

QString LoopbackDevice::closedPort()
{
    const auto [fd, port] = listenOnLoopback(1);
    ::close(fd);
    return QString::number(port);
}
