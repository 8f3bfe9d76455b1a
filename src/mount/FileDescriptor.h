#pragma once

#include <unistd.h>

#include <atomic>

// Owns one open file descriptor and closes it once. Atomic: another thread
// may ask which descriptor is open while the worker closes it.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor&& other) noexcept : m_fd(other.m_fd.exchange(-1)) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept
    {
        if (this != &other)
            reset(other.m_fd.exchange(-1));
        return *this;
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return m_fd; }
    bool isOpen() const { return m_fd >= 0; }
    void reset(int fd = -1)
    {
        const int old = m_fd.exchange(fd);
        if (old >= 0)
            ::close(old);
    }

private:
    std::atomic<int> m_fd = -1;
};
