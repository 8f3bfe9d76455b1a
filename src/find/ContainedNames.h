#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One name per record, lower-cased (ASCII) once and laid end to end in
// catalogue order, for the lookups that take any part of a name: a lookup
// is one search through a single block of text instead of a comparison at
// every position of every record.
class ContainedNames {
public:
    // Adds the name of the next record (empty when it has none).
    void add(std::string_view name);
    void finish();

    // The first record whose name contains `lowered` (already lower-cased,
    // not empty).
    std::optional<std::uint32_t> find(std::string_view lowered) const;

private:
    // Names end with a NUL, which no name holds, so no match spans two.
    std::string m_text;
    std::vector<std::uint32_t> m_starts;  // of each record's name in m_text
};
