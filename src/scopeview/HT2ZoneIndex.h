#pragma once

#include <QStringList>

#include <array>
#include <optional>
#include <string_view>

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

    // The path of a zone's file; empty for a zone above 29.
    QString zoneFile(int zone) const;

    // The entries of one file's text. The pass stops at a malformed line,
    // where reading stops too.
    static Offsets build(std::string_view text);

private:
    QStringList m_files;
    std::array<std::optional<Offsets>, kNumZones> m_offsets;
};
