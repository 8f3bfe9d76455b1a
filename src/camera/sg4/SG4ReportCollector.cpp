#include "camera/sg4/SG4ReportCollector.h"

#include "camera/sg4/SG4Protocol.h"

#include <QByteArrayView>

void SG4ReportCollector::reset()
{
    m_used = 0;
    m_total = 0;
}

SG4ReportCollector::Read SG4ReportCollector::collect(const Reader& read)
{
    const qsizetype room = kSize - m_used;
    const bool intoReport = room > kReaderReserve;
    const std::span<char> into = intoReport ? std::span<char>(m_buffer.data() + m_used, std::size_t(room))
                                            : std::span<char>(m_scratch);
    const long got = read(into);
    if (got <= 0)
        return {};
    const qsizetype bytes = std::min<qsizetype>(got, qsizetype(into.size()));
    m_total += quint32(bytes);
    if (intoReport)
        m_used += bytes;
    return {bytes, QByteArrayView(into.data(), bytes).contains(SG4Protocol::kReportEnd)};
}
