#pragma once

#include <QStringList>

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

class HT2ZoneStars;

// Where in each deep-star zone file the stars of a right ascension begin:
// for k = 1 to 35 the byte offset of the first line at 10 k degrees or more
// (the file's length when no line gets there). A zone's entries are made by
// one pass over its file the first time the zone is asked for, and kept.
class HT2ZoneIndex {
public:
    static constexpr int kNumZones = 30;
    static constexpr int kNumBuckets = 35;
    static constexpr double kBucketDegrees = 10.0;
    using Offsets = std::array<unsigned long, kNumBuckets + 1>;  // entry 0 unused

    // The 30 zone files in zone order (south first).
    explicit HT2ZoneIndex(QStringList files);

    // The offset at which reading for right ascension `ra` (degrees) starts:
    // 0 below 10 degrees or for a zone above 29, else entry floor(ra / 10)
    // capped at 35.
    unsigned long GetHT2Offset(unsigned short zone, double ra);

    // A zone's stars, read the first time they are asked for and kept while
    // the zones read since fit in the budget; none for a zone above 29.
    std::shared_ptr<const HT2ZoneStars> zoneStars(int zone);

    // The most memory the kept zones take (the shipped zones take about
    // 2 MB each): beyond it the zone least recently asked for is dropped.
    static constexpr std::size_t kStarsBudget = 32 * 1024 * 1024;

    // The path of a zone's file; empty for a zone above 29.
    QString zoneFile(int zone) const;

    // The entries of one file's text. The pass stops at a malformed line,
    // where reading stops too.
    static Offsets build(std::string_view text);

private:
    QStringList m_files;
    std::array<std::optional<Offsets>, kNumZones> m_offsets;
    struct Kept {
        std::shared_ptr<const HT2ZoneStars> stars;
        std::uint64_t lastAsked = 0;
    };
    std::array<Kept, kNumZones> m_kept;
    std::uint64_t m_asked = 0;
};
