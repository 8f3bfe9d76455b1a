#include "scopeview/HT2ZoneIndex.h"

#include "scopeview/HT2ZoneFile.h"

#include <cmath>

HT2ZoneIndex::HT2ZoneIndex(QStringList files) : m_files(std::move(files)) {}

QString HT2ZoneIndex::zoneFile(int zone) const
{
    return zone >= 0 && zone < kNumZones && zone < m_files.size() ? m_files[zone] : QString();
}

unsigned long HT2ZoneIndex::GetHT2Offset(unsigned short zone, double ra)
{
    if (!(ra >= kBucketDegrees) || zone >= kNumZones)
        return 0;
    std::optional<Offsets>& offsets = m_offsets[zone];
    if (!offsets) {
        const HT2ZoneFile file(zoneFile(zone));
        offsets = build(file.text());
    }
    const int k = ra >= kNumBuckets * kBucketDegrees ? kNumBuckets : int(std::floor(ra / kBucketDegrees));
    return (*offsets)[std::size_t(k)];
}

HT2ZoneIndex::Offsets HT2ZoneIndex::build(std::string_view text)
{
    Offsets offsets{};
    int next = 1;  // the first bucket not yet reached
    std::size_t position = 0;
    while (position < text.size() && next <= kNumBuckets) {
        const std::size_t start = position;
        const std::optional<HT2ZoneFile::Line> line = HT2ZoneFile::readLine(text, position);
        if (!line)
            break;
        while (next <= kNumBuckets && line->ra >= next * kBucketDegrees)
            offsets[std::size_t(next++)] = start;
    }
    for (; next <= kNumBuckets; ++next)
        offsets[std::size_t(next)] = text.size();
    return offsets;
}
