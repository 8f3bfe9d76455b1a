#include "mount/PortIO.h"

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace PortIO {

int open(const QByteArray& path)
{
    return ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
}

bool hungUp(int fd)
{
    pollfd watched{fd, POLLIN, 0};
    return ::poll(&watched, 1, 0) > 0 && (watched.revents & (POLLHUP | POLLERR | POLLNVAL)) != 0;
}

bool hasPending(int fd)
{
    int waiting = 0;
    return ::ioctl(fd, FIONREAD, &waiting) == 0 && waiting > 0;
}

qsizetype read(int fd, char* into, qsizetype most)
{
    for (;;) {
        const ssize_t got = ::read(fd, into, std::size_t(most));
        // A terminal gives nothing both when it is quiet and when it hung up.
        if (got == 0 && most > 0 && hungUp(fd))
            return -1;
        if (got >= 0)
            return got;
        if (errno == EAGAIN)
            return 0;
        if (errno != EINTR)
            return -1;
    }
}

qsizetype readArrived(int fd, char* into, qsizetype most)
{
    pollfd watched{fd, POLLIN, 0};
    int ready = 0;
    do
        ready = ::poll(&watched, 1, 0);
    while (ready < 0 && errno == EINTR);
    if (ready < 0)
        return -1;
    // Nothing yet; a hang-up shows as ready and is told by the read.
    return ready == 0 ? 0 : read(fd, into, most);
}

qsizetype write(int fd, const char* bytes, qsizetype size)
{
    qsizetype written = 0;
    while (written < size) {
        const ssize_t sent = ::write(fd, bytes + written, std::size_t(size - written));
        if (sent < 0 && errno == EINTR)
            continue;
        if (sent <= 0)
            break;
        written += sent;
    }
    return written;
}

}  // namespace PortIO
