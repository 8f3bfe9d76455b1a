#include "scopeview/HT2ZoneIndex.h"

#include "scopeview/HT2ZoneFile.h"
#include "scopeview/HT2ZoneStars.h"

#include <algorithm>

#include <cmath>

HT2ZoneIndex::HT2ZoneIndex(QStringList files) : m_files(std::move(files)) {}

QString HT2ZoneIndex::zoneFile(int zone) const
{
    return zone >= 0 && zone < kNumZones && zone < m_files.size() ? m_files[zone] : QString();
}

std::shared_ptr<const HT2ZoneStars> HT2ZoneIndex::zoneStars(int zone)
{
    if (zone < 0 || zone >= kNumZones)
        return nullptr;
    Kept& kept = m_kept[std::size_t(zone)];
    kept.lastAsked = ++m_asked;
    if (kept.stars)
        return kept.stars;
    const HT2ZoneFile file(zoneFile(zone));
    auto stars = std::make_shared<const HT2ZoneStars>(file.text());
    std::size_t used = stars->sizeInBytes();
    for (const Kept& k : m_kept)
        used += k.stars ? k.stars->sizeInBytes() : 0;
    while (used > kStarsBudget) {
        const auto oldest = std::min_element(m_kept.begin(), m_kept.end(), [](const Kept& a, const Kept& b) {
            return (a.stars ? a.lastAsked : UINT64_MAX) < (b.stars ? b.lastAsked : UINT64_MAX);
        });
        if (oldest == m_kept.end() || !oldest->stars)
            break;
        used -= oldest->stars->sizeInBytes();
        oldest->stars.reset();
    }
    kept.stars = stars;
    return stars;
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
