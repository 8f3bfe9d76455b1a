#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <array>
#include <functional>
#include <span>

// Collects the guider's calibration report into 4096 bytes. The transport's
// reader wants 500 bytes of room beyond what it reads; once the report has
// less, the rest is read into a scratch buffer, scanned for the end mark and
// dropped, so a long report never runs past the buffer and its end is still
// seen.
class SG4ReportCollector {
public:
    static constexpr qsizetype kSize = 4096;
    // Reads what has arrived into the buffer it is given: the byte count, 0
    // for nothing, -1 on an error (the transport's getSG4Response).
    using Reader = std::function<long(std::span<char>)>;

    void reset();
    // One read; the bytes it gave (0 for none or an error), and whether the end mark came.
    struct Read {
        qsizetype bytes = 0;
        bool ended = false;
    };
    Read collect(const Reader& read);
    // The room the next collect() gives its reader.
    qsizetype nextRoom() const { return kSize - m_used > kReaderReserve ? kSize - m_used : kScratch; }
    // The report kept so far.
    QByteArray text() const { return QByteArray(m_buffer.data(), m_used); }
    // Every byte the guider sent, kept or dropped.
    quint32 totalCount() const { return m_total; }

private:
    static constexpr qsizetype kScratch = 2048;
    // The reader's own reserve: it gives -1 for this much room or less.
    static constexpr qsizetype kReaderReserve = 500;
    std::array<char, kSize> m_buffer{};
    std::array<char, kScratch> m_scratch{};
    qsizetype m_used = 0;
    quint32 m_total = 0;
};
