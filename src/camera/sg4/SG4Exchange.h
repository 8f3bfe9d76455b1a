#pragma once

#include "camera/sg4/SG4Protocol.h"
#include "mount/SlotExchange.h"

#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <optional>

class SerialControl;

// One command's reply: the echo first, then the command's data.
struct SG4Reply {
    bool ok = false;
    qint32 count = 0;
    ReplyBuffer bytes{};
};

// The guider settings read after a connect; each missing when unread.
struct SG4GuiderRead {
    std::optional<quint16> maxMove;
    std::optional<quint16> minMove;
    std::optional<quint8> xGain;
    std::optional<quint8> yGain;
};

// Where the scan found the device (port 1-based, 0 for none), at which
// speed, and what it read from it there.
struct SG4Found {
    quint16 port = 0;
    long baud = 0;
    bool scanned = false;  // found only by trying every speed
    std::optional<QString> version;
    SG4GuiderRead guider;
    SlotExchange::PortSearch ports;  // the pass over every port at the stored speed
};

// The answer to 'T': when it went out, and whether its reply already held
// the end of a short exposure.
struct SG4ExposureStart {
    QDateTime utc;
    bool done = false;
};

// The SG-4 and AllSky command set on slot 3 as the port's worker runs it.
// A copy carries all it needs; nothing here may run on the main thread.
class SG4Exchange : public SlotExchange {
public:
    SG4Exchange(SerialControl& serial, DebugWriter debug);

    // Sends the letter, its data and checksum; `replyLength` bytes (0: none
    // awaited) starting with the checksum echo make it a success. Progress
    // bytes ahead of the echo are dropped; the bytes that came with the
    // reply's last ones are kept.
    SG4Reply exchange(const char* name, char letter, QByteArrayView data, quint16 replyLength) const;
    bool command(const char* name, char letter, QByteArrayView data = {}, quint16 replyLength = 1) const
    {
        return exchange(name, letter, data, replyLength).ok;
    }
    bool sg4TestComCmd() const;
    std::optional<QString> sg4GetVersionCmd() const;
    // 'g'/'n': a 16-bit move; 'x'/'y': a gain byte.
    std::optional<quint16> readMove(const char* name, char letter) const;
    std::optional<quint8> readGain(const char* name, char letter) const;
    SG4GuiderRead readGuider() const;
    // 'T' with its five data bytes; the reply ends at its echo.
    std::optional<SG4ExposureStart> sg4TakeImageCmd(QByteArrayView data) const;
    // Moves both sides to `baud`; after a failed test the host goes back to `oldBaud`.
    bool sg4SetBaudRateCmd(long baud, long oldBaud) const;
    // The chosen port (1-based; 0 for none) at `storedBaud`, then every port
    // at it, then every port at each speed, until one answers 'O'; the slot
    // stays open there only. The version, and for the SG-4 the guider, are
    // read on the port found.
    SG4Found findDevice(quint16 chosen, quint16 ports, long storedBaud, bool readGuider) const;
    void transactionDump(const SG4Reply& reply) const;
};
