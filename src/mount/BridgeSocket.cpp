#include "mount/BridgeSocket.h"

#include <cerrno>
#include <fcntl.h>
#include <netdb.h>
#include <sys/socket.h>

#include <memory>

bool BridgeSocket::start(const QString& address, const QString& port)
{
    close();
    const std::optional<quint16> number = portNumber(port);
    if (!number)
        return false;

    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_flags = AI_NUMERICHOST | AI_NUMERICSERV;
    addrinfo* found = nullptr;
    if (getaddrinfo(address.trimmed().toLatin1().constData(),
                    QByteArray::number(*number).constData(), &hints, &found) != 0)
        return false;
    const std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> list(found, freeaddrinfo);

    FileDescriptor fd(::socket(found->ai_family, found->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC,
                               found->ai_protocol));
    if (!fd.isOpen())
        return false;
    if (::connect(fd.get(), found->ai_addr, found->ai_addrlen) != 0 && errno != EINPROGRESS)
        return false;
    m_fd = std::move(fd);
    return true;
}

std::optional<quint16> BridgeSocket::portNumber(const QString& port)
{
    bool ok = false;
    const uint number = port.trimmed().toUInt(&ok);
    if (!ok || number == 0 || number > 65535)
        return std::nullopt;
    return quint16(number);
}

bool BridgeSocket::finish()
{
    int error = 0;
    socklen_t length = sizeof(error);
    if (!isOpen() || getsockopt(fd(), SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0)
        return false;
    return fcntl(fd(), F_SETFL, fcntl(fd(), F_GETFL) & ~O_NONBLOCK) == 0;
}

qsizetype BridgeSocket::readSome(char* into, qsizetype most) const
{
    for (;;) {
        const ssize_t got = ::recv(fd(), into, std::size_t(most), MSG_DONTWAIT);
        // Nothing read into room for something: the peer closed.
        if (got == 0 && most > 0)
            return -1;
        if (got >= 0)
            return got;
        if (errno == EAGAIN || errno == EWOULDBLOCK)
            return 0;
        if (errno != EINTR)
            return -1;
    }
}

qsizetype BridgeSocket::writeAll(const char* bytes, qsizetype size) const
{
    qsizetype written = 0;
    while (written < size) {
        // A bridge that went away must not end the program with SIGPIPE.
        const ssize_t sent =
            ::send(fd(), bytes + written, std::size_t(size - written), MSG_NOSIGNAL);
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            break;
        written += sent;
    }
    return written;
}
