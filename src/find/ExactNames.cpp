#include "find/ExactNames.h"

#include "find/FieldMatch.h"

#include <algorithm>
#include <tuple>

void ExactNames::add(std::string_view name, std::uint32_t record)
{
    if (name.empty())
        return;
    m_entries.push_back({std::uint32_t(m_text.size()), record, std::uint32_t(name.size())});
    for (char c : name)
        m_text.push_back(FieldMatch::lower(c));
}

void ExactNames::finish()
{
    std::sort(m_entries.begin(), m_entries.end(), [this](const Entry& a, const Entry& b) {
        return std::tuple(nameOf(a), a.record) < std::tuple(nameOf(b), b.record);
    });
    m_entries.shrink_to_fit();
    m_text.shrink_to_fit();
}

std::optional<std::uint32_t> ExactNames::find(std::string_view lowered) const
{
    const auto first = std::lower_bound(m_entries.begin(), m_entries.end(), lowered,
                                        [this](const Entry& e, std::string_view key) { return nameOf(e) < key; });
    if (first == m_entries.end() || nameOf(*first) != lowered)
        return std::nullopt;
    return first->record;
}
