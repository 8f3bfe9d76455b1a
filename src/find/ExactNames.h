#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Record names for whole-name lookups: every name lower-cased (ASCII) once
// and sorted, so that a lookup is a binary search instead of a pass over
// the catalogue. A name may belong to several records and a record may have
// several names; a lookup answers the first record in catalogue order.
class ExactNames {
public:
    // Adds one name of `record`; empty names are left out. Call finish()
    // after the last.
    void add(std::string_view name, std::uint32_t record);
    void finish();

    // The first record with a name equal to `lowered` (already lower-cased).
    std::optional<std::uint32_t> find(std::string_view lowered) const;

private:
    struct Entry {
        std::uint32_t offset;
        std::uint32_t record;
        std::uint32_t length;
    };
    std::string_view nameOf(const Entry& e) const { return {m_text.data() + e.offset, e.length}; }

    std::string m_text;
    std::vector<Entry> m_entries;
};
