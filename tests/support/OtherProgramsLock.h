#pragma once

#include "support/PtyDevice.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

// Another program's hold on a line: its advisory lock, as every program takes.
class OtherProgramsLock {
public:
    explicit OtherProgramsLock(const PtyDevice& device)
        : m_fd(::open(device.path().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC))
    {
        if (m_fd >= 0)
            flock(m_fd, LOCK_EX | LOCK_NB);
    }
    ~OtherProgramsLock()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    OtherProgramsLock(const OtherProgramsLock&) = delete;
    OtherProgramsLock& operator=(const OtherProgramsLock&) = delete;
    bool holds() const { return m_fd >= 0; }

private:
    int m_fd;
};
