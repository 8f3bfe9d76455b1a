#pragma once

#include <QByteArray>
#include <QtGlobal>

// Reads and writes on an open port descriptor, riding out interrupted calls.
namespace PortIO {

// Opens a device read-write, not as the controlling terminal, without
// waiting for a modem line; -1 on failure.
int open(const QByteArray& path);
// What one read gives: the count, 0 for none, -1 on an error or a hang-up.
qsizetype read(int fd, char* into, qsizetype most);
// Reads only what has already come, never waiting for a first byte
// whatever the port's settings; as read otherwise.
qsizetype readArrived(int fd, char* into, qsizetype most);
// True when the device behind `fd` hung up (a pulled adapter, a closed pty master).
bool hungUp(int fd);
// True when bytes have come that no read has taken yet.
bool hasPending(int fd);
// Writes all of `size` bytes unless an error stops it; the count written.
qsizetype write(int fd, const char* bytes, qsizetype size);

}  // namespace PortIO
