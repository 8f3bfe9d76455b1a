#pragma once

#include "mount/FileDescriptor.h"

#include <QString>

#include <optional>

// The WiFi bridge's TCP connection as a plain socket, so that exchanges run
// the serial path's code on it from any thread. Connecting does not block:
// start() begins it, and once the socket turns writable finish() tells
// whether it succeeded.
class BridgeSocket {
public:
    // Starts connecting to a numeric address and port; false when no
    // connection could be started (bad address or port, no socket).
    bool start(const QString& address, const QString& port);
    // A typed port as a TCP port number 1..65535, or nothing.
    static std::optional<quint16> portNumber(const QString& port);
    // After the socket turned writable: true when the connection stands.
    // The socket then blocks on writes; reads take only what has come.
    bool finish();
    void close() { m_fd.reset(); }

    bool isOpen() const { return m_fd.isOpen(); }
    int fd() const { return m_fd.get(); }

    // Reads what has come, up to `most` bytes, without waiting: the count,
    // 0 for none, -1 on an error such as a reset or a peer that closed.
    qsizetype readSome(char* into, qsizetype most) const;
    // Writes all of `size` bytes; the count written.
    qsizetype writeAll(const char* bytes, qsizetype size) const;

private:
    FileDescriptor m_fd;
};
