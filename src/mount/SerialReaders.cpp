#include "mount/SerialControl.h"

#include "mount/PortIO.h"
#include "mount/links/RoboFocusPosition.h"

#include <QByteArrayView>

#include <algorithm>
#include <chrono>
#include <limits>

namespace {

// Bytes a reader's first read takes, leaving the rest of a 2048-byte buffer
// for what follows.
constexpr qsizetype kFirstRead = 1548;
// An SG-4 response's first read leaves this much of the caller's buffer.
constexpr qsizetype kSG4ResponseReserve = 500;
constexpr int kFollowGapTicks = 2;
constexpr int kRoboWaitTicks = 20;
constexpr int kDDWWaitTicks = 15;
constexpr qsizetype kDDWSearchRead = 30;
constexpr int kSG4ByteRetries = 3;
constexpr int kSG4ByteRetryTicks = 10;
// However a device talks (a noisy line, a wrong speed, a trickle), a reader
// ends: after this many ticks (2 s), and the DDW search after this many
// bytes without a record start.
constexpr int kReaderMostTicks = 120;
constexpr qsizetype kDDWMostSearched = kReplyBufferSize;

constexpr int kOptecMaxUnits = 7000;
constexpr float kOptecTempLow = -100.0f;
constexpr float kOptecTempHigh = 100.0f;
constexpr float kOptecTempInvalid = -200.0f;
// "P=nnnn" and "T=+nn.n": the letter, "=" and the value.
constexpr qsizetype kOptecUnitsRecord = 6;
constexpr qsizetype kOptecTempRecord = 7;
constexpr qsizetype kOptecValueOffset = 2;

// "FD0nnnnn": the position is the five digits from offset 3.
constexpr qsizetype kRoboPositionOffset = 3;
constexpr qsizetype kRoboPositionDigits = 5;
constexpr qsizetype kRoboRecordBytes = 9;  // eight characters and the checksum
constexpr quint16 kRoboLowest = 2;

// The end of a reader's time.
class ReaderDeadline {
public:
    explicit ReaderDeadline(std::chrono::microseconds tick)
        : m_end(std::chrono::steady_clock::now() + kReaderMostTicks * tick)
    {
    }
    bool isPast() const { return std::chrono::steady_clock::now() >= m_end; }

private:
    std::chrono::steady_clock::time_point m_end;
};

// Whether the bytes end inside a "FD" record, its rest still on the line:
// the record is cut short, or a lone 'F' after the last whole one (not its
// checksum) starts the next.
bool cutsRoboRecord(QByteArrayView read)
{
    const qsizetype at = read.lastIndexOf(QByteArrayView("FD"));
    const qsizetype wholeEnd = at < 0 ? 0 : at + kRoboRecordBytes;
    return wholeEnd > read.size() || (read.endsWith('F') && read.size() > wholeEnd);
}

bool isDigits(QByteArrayView text)
{
    return !text.isEmpty() && std::all_of(text.begin(), text.end(),
                                          [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

int SerialControl::readerPort(quint16 slot) const
{
    return m_isWiFi ? -1 : serialRefNum(slot);
}

qsizetype SerialControl::readHeld(const Slot* entry, int fd, char* into, qsizetype most)
{
    return isClosing(entry) ? qsizetype(-1) : PortIO::read(fd, into, most);
}

qsizetype SerialControl::readUntilQuiet(const Slot* entry, int fd, std::span<char> into,
                                        qsizetype first, qsizetype enough, int gapTicks) const
{
    const ReaderDeadline deadline(m_timing.tick);
    qsizetype total = readHeld(entry, fd, into.data(), std::min(first, qsizetype(into.size())));
    if (total <= 0)
        return total;
    while (total <= enough && total < qsizetype(into.size()) && !deadline.isPast()) {
        pause(gapTicks);
        const qsizetype got =
            readHeld(entry, fd, into.data() + total, qsizetype(into.size()) - total);
        if (got <= 0)
            break;
        total += got;
    }
    return total;
}

long SerialControl::readOptecStream(ReplyBuffer& buffer)
{
    // Every reader holds its slot as an exchange does: a close asked for
    // meanwhile ends it at its next read and waits for it to let go, so its
    // descriptor is never closed (or reused) under it.
    Slot* entry = slotFor(kSerialSlotFocuser);
    const SlotLock lock(entry);
    const int fd = readerPort(kSerialSlotFocuser);
    if (fd < 0)
        return 0;
    const qsizetype total =
        readUntilQuiet(entry, fd, buffer, kFirstRead, kFirstRead, kFollowGapTicks);
    if (total <= 0)
        return 0;
    parseOptec(buffer.data(), total);
    return long(total);
}

void SerialControl::parseOptec(const char* bytes, qsizetype size)
{
    // A record cut off by the end of the read is left for the next one.
    for (qsizetype i = 0; i < size; ++i) {
        if (bytes[i] == 'P' && i + kOptecUnitsRecord <= size) {
            // Exactly four digits: a field that lost or gained bytes is no position.
            const QByteArrayView value(bytes + i + kOptecValueOffset,
                                       kOptecUnitsRecord - kOptecValueOffset);
            const bool runsOn =
                i + kOptecUnitsRecord < size && isDigits(QByteArrayView(bytes + i + kOptecUnitsRecord, 1));
            if (!isDigits(value) || runsOn)
                continue;
            const int units = value.toByteArray().toInt();
            if (units <= kOptecMaxUnits)
                m_optecUnits = quint16(units);
            i += kOptecUnitsRecord - 1;
        } else if (bytes[i] == 'T' && i + kOptecTempRecord <= size) {
            const QByteArrayView value(bytes + i + kOptecValueOffset,
                                       kOptecTempRecord - kOptecValueOffset);
            bool ok = false;
            const float temp = value.toByteArray().trimmed().toFloat(&ok);
            if (ok && temp >= kOptecTempLow && temp <= kOptecTempHigh) {
                m_optecTemp = temp;
                i += kOptecTempRecord - 1;
            } else {
                m_optecTemp = kOptecTempInvalid;
            }
        }
    }
}

bool SerialControl::readRoboFocus(ReplyBuffer& buffer)
{
    if (readerPort(kSerialSlotFocuser) < 0 || m_robo == nullptr)
        return false;
    pause(kRoboWaitTicks);
    return readRoboFocusNow(buffer, *m_robo);
}

bool SerialControl::readRoboFocusNow(ReplyBuffer& buffer, RoboFocusPosition& robo)
{
    Slot* entry = slotFor(kSerialSlotFocuser);
    const SlotLock lock(entry);
    const int fd = readerPort(kSerialSlotFocuser);
    if (fd < 0)
        return false;
    qsizetype size = readHeld(entry, fd, buffer.data(), kFirstRead);
    if (size <= 0) {
        robo.setIsRoboMove(false);
        return false;
    }
    // The move's end record may come in pieces: it is read whole, or not
    // at all within the reader's time.
    const ReaderDeadline deadline(m_timing.tick);
    while (cutsRoboRecord(QByteArrayView(buffer.data(), size)) && size < kReplyBufferSize
           && !deadline.isPast()) {
        pause(kFollowGapTicks);
        const qsizetype got = readHeld(entry, fd, buffer.data() + size, kReplyBufferSize - size);
        if (got < 0)
            break;
        size += got;
    }
    scanRoboFocus(QByteArrayView(buffer.data(), size), robo);
    return true;
}

void SerialControl::scanRoboFocus(QByteArrayView bytes, RoboFocusPosition& robo)
{
    int position = robo.roboPosition();
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == 'O' || bytes[i] == 'I') {
            position += bytes[i] == 'O' ? 1 : -1;
            robo.setIsRoboMove(true);
        } else if (bytes[i] == 'F' && i + 1 < bytes.size() && bytes[i + 1] == 'D') {
            // Only a whole record within the bytes read ends the move.
            const qsizetype end = i + kRoboPositionOffset + kRoboPositionDigits;
            if (end > bytes.size())
                break;
            const QByteArrayView digits = bytes.sliced(i + kRoboPositionOffset, kRoboPositionDigits);
            const int reported = isDigits(digits) ? digits.toByteArray().toInt() : -1;
            if (reported < 0 || reported > std::numeric_limits<quint16>::max())
                continue;
            robo.setIsRoboMove(false);
            robo.setRoboPosition(quint16(reported));
            return;
        }
    }
    const int highest = std::max<int>(kRoboLowest, robo.roboMax());
    robo.setRoboPosition(quint16(std::clamp<int>(position, kRoboLowest, highest)));
}

bool SerialControl::readJMIStream()
{
    Slot* entry = slotFor(kSerialSlotFocuser);
    const SlotLock lock(entry);
    const int fd = readerPort(kSerialSlotFocuser);
    if (fd < 0)
        return false;
    ReplyBuffer buffer;
    const ReaderDeadline deadline(m_timing.tick);
    qsizetype total = 0;
    while (total < kReplyBufferSize && !deadline.isPast()) {
        const qsizetype got =
            readHeld(entry, fd, buffer.data() + total, kReplyBufferSize - total);
        if (got <= 0)
            break;
        total += got;
    }
    const QByteArrayView read(buffer.data(), total);
    return read.contains('c') || read.contains('r');
}

bool SerialControl::isSG4ExpDone()
{
    Slot* entry = slotFor(kSerialSlotSG4);
    const SlotLock lock(entry);
    const int fd = readerPort(kSerialSlotSG4);
    if (fd < 0)
        return true;
    ReplyBuffer buffer;
    const qsizetype total =
        readUntilQuiet(entry, fd, buffer, kFirstRead, kFirstRead, kFollowGapTicks);
    return total > 0 && QByteArrayView(buffer.data(), total).contains('D');
}

long SerialControl::getSG4Response(std::span<char> buffer)
{
    Slot* entry = slotFor(kSerialSlotSG4);
    const SlotLock lock(entry);
    const int fd = readerPort(kSerialSlotSG4);
    const qsizetype size = qsizetype(buffer.size());
    // A buffer without room for the reserve has no first read to make.
    if (fd < 0 || size <= kSG4ResponseReserve)
        return -1;
    return long(readUntilQuiet(entry, fd, buffer, size - kSG4ResponseReserve,
                               size - kSG4ResponseReserve, kFollowGapTicks));
}

bool SerialControl::getSG4Image(std::span<char> buffer, qint64 expected, qint64& count,
                                float seconds, bool skipStatusBytes)
{
    Slot* entry = slotFor(kSerialSlotSG4);
    const SlotLock lock(entry);
    const int fd = readerPort(kSerialSlotSG4);
    if (fd < 0)
        return false;
    // Never more than the buffer holds, whatever the camera was asked for.
    const qint64 wanted = std::min<qint64>(expected, qint64(buffer.size()));
    m_isSG4Timeout = false;
    // A deadline rather than a timer: it must end the loop on any thread.
    const auto deadline = std::chrono::steady_clock::now()
                          + std::chrono::duration<float>(std::max(seconds, 0.0f));
    qint64 total = 0;
    while (total < wanted) {
        if (std::chrono::steady_clock::now() >= deadline) {
            m_isSG4Timeout = true;
            count = -total;
            return false;
        }
        const qsizetype got = PortIO::read(fd, buffer.data() + total, qsizetype(wanted - total));
        // A disconnect gives up the block at once; the port closes as the lock goes.
        if (got < 0 || isClosing(entry)) {
            count = -1;
            return false;
        }
        if (skipStatusBytes && got == 1 && (buffer[total] == 'E' || buffer[total] == 'R'))
            continue;
        total += got;
    }
    count = total;
    return total == expected;
}

char SerialControl::getSG4Byte()
{
    Slot* entry = slotFor(kSerialSlotSG4);
    const SlotLock lock(entry);
    const int fd = readerPort(kSerialSlotSG4);
    if (fd < 0)
        return 0;
    for (int attempt = 0; attempt <= kSG4ByteRetries; ++attempt) {
        if (isClosing(entry))
            return 0;
        if (attempt > 0)
            pause(kSG4ByteRetryTicks);
        char byte = 0;
        const qsizetype got = PortIO::read(fd, &byte, 1);
        if (got < 0)
            return 0;
        if (got == 1)
            return byte;
    }
    return 0;
}

qsizetype SerialControl::readDDWStream(ReplyBuffer& buffer)
{
    Slot* entry = slotFor(kSerialSlotDDW);
    const SlotLock lock(entry);
    const int fd = readerPort(kSerialSlotDDW);
    if (fd < 0)
        return 0;
    std::array<char, kDDWSearchRead> search;
    const ReaderDeadline deadline(m_timing.tick);
    qsizetype searched = 0;
    qsizetype total = 0;
    for (;;) {
        if (searched >= kDDWMostSearched || deadline.isPast())
            return 0;
        pause(kDDWWaitTicks);
        const qsizetype got = readHeld(entry, fd, search.data(), kDDWSearchRead);
        if (got <= 0)
            return 0;
        searched += got;
        const auto start = std::find(search.begin(), search.begin() + got, 'V');
        if (start != search.begin() + got) {
            total = std::copy(start, search.begin() + got, buffer.begin()) - buffer.begin();
            break;
        }
    }
    // The last byte stays free for the terminator. The record is read to
    // its line end: a pause inside it never cuts it.
    const qsizetype room = kReplyBufferSize - 1;
    const auto lineEnded = [&buffer](qsizetype size) {
        const QByteArrayView read(buffer.data(), size);
        return read.contains('\r') || read.contains('\n');
    };
    while (total < room && !lineEnded(total) && !deadline.isPast()) {
        pause(kFollowGapTicks);
        const qsizetype got = readHeld(entry, fd, buffer.data() + total, room - total);
        if (got < 0)
            break;
        total += got;
    }
    buffer[std::size_t(total)] = '\0';
    return total;
}
