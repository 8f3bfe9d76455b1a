#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// One name per record, lower-cased (ASCII) once and laid end to end in
// catalogue order, for the lookups that take any part of a name: a lookup
// is one search through a single block of text instead of a comparison at
// every position of every record. Answers are kept, since the tours and the
// planner ask the same names again each night; the kept answers are not
// guarded, so one thread uses an object at a time.
class ContainedNames {
public:
    // Adds the name of the next record (empty when it has none).
    void add(std::string_view name);
    void finish();

    // The first record whose name contains `lowered` (already lower-cased,
    // not empty).
    std::optional<std::uint32_t> find(std::string_view lowered) const;

private:
    // Kept answers are forgotten past this many, so that scripted searches
    // of ever new names do not grow them without end.
    static constexpr std::size_t kMostKept = 4096;

    std::optional<std::uint32_t> search(std::string_view lowered) const;

    // Names end with a NUL, which no name holds, so no match spans two.
    std::string m_text;
    std::vector<std::uint32_t> m_starts;  // of each record's name in m_text
    mutable std::unordered_map<std::string, std::optional<std::uint32_t>> m_kept;
};
