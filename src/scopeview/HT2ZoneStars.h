#pragma once

#include "scopeview/HT2ZoneFile.h"

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

// One deep-star zone file read once and kept: its lines up to the first
// malformed one (where every read of the zone stops), each with the byte
// offset it starts at, so that a redraw reads numbers rather than text.
class HT2ZoneStars {
public:
    explicit HT2ZoneStars(std::string_view text);

    // The lines from the one that starts at byte `offset` on; none from the
    // file's length.
    std::span<const HT2ZoneFile::Line> from(std::size_t offset) const;
    // The memory the lines take.
    std::size_t sizeInBytes() const;

private:
    std::vector<HT2ZoneFile::Line> m_lines;
    std::vector<std::size_t> m_starts;
};
