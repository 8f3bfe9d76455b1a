#include "scopeview/HT2ZoneStars.h"

#include <algorithm>

HT2ZoneStars::HT2ZoneStars(std::string_view text)
{
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t start = position;
        const std::optional<HT2ZoneFile::Line> line = HT2ZoneFile::readLine(text, position);
        if (!line)
            break;
        m_lines.push_back(*line);
        m_starts.push_back(start);
    }
    m_lines.shrink_to_fit();
    m_starts.shrink_to_fit();
}

std::span<const HT2ZoneFile::Line> HT2ZoneStars::from(std::size_t offset) const
{
    const auto first = std::lower_bound(m_starts.begin(), m_starts.end(), offset) - m_starts.begin();
    return std::span(m_lines).subspan(std::size_t(first));
}

std::size_t HT2ZoneStars::sizeInBytes() const
{
    return m_lines.size() * sizeof(HT2ZoneFile::Line) + m_starts.size() * sizeof(std::size_t);
}
