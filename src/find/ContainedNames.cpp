#include "find/ContainedNames.h"

#include "find/FieldMatch.h"

#include <algorithm>
#include <functional>

void ContainedNames::add(std::string_view name)
{
    m_starts.push_back(std::uint32_t(m_text.size()));
    for (char c : name)
        m_text.push_back(FieldMatch::lower(c));
    m_text.push_back('\0');
}

void ContainedNames::finish()
{
    m_text.shrink_to_fit();
    m_starts.shrink_to_fit();
}

std::optional<std::uint32_t> ContainedNames::find(std::string_view lowered) const
{
    if (lowered.empty() || lowered.find('\0') != std::string_view::npos)
        return std::nullopt;
    const auto hit = std::search(m_text.begin(), m_text.end(),
                                 std::boyer_moore_horspool_searcher(lowered.begin(), lowered.end()));
    if (hit == m_text.end())
        return std::nullopt;
    const auto offset = std::uint32_t(hit - m_text.begin());
    // The last record that starts at or before the hit holds it.
    const auto record = std::upper_bound(m_starts.begin(), m_starts.end(), offset) - m_starts.begin() - 1;
    return std::uint32_t(record);
}
