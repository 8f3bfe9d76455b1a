#include "find/ContainedNames.h"

#include "find/FieldMatch.h"

#include <algorithm>
#include <cstring>

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
    std::string key(lowered);
    if (const auto kept = m_kept.find(key); kept != m_kept.end())
        return kept->second;
    if (m_kept.size() >= kMostKept)
        m_kept.clear();
    const std::optional<std::uint32_t> record = search(lowered);
    m_kept.emplace(std::move(key), record);
    return record;
}

std::optional<std::uint32_t> ContainedNames::search(std::string_view lowered) const
{
    const void* hit = ::memmem(m_text.data(), m_text.size(), lowered.data(), lowered.size());
    if (!hit)
        return std::nullopt;
    const auto offset = std::uint32_t(static_cast<const char*>(hit) - m_text.data());
    // The last record that starts at or before the hit holds it.
    const auto record = std::upper_bound(m_starts.begin(), m_starts.end(), offset) - m_starts.begin() - 1;
    return std::uint32_t(record);
}
