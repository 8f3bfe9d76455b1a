#pragma once

#include "platform/NumberReader.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>

// Reading the fields of a catalogue source line into record fields.
namespace SourceFields {

// Copies a field into a record's text field when it is plain ASCII and at most
// `limit` characters long; otherwise the text field is left empty. It always
// ends in a NUL within its width.
template <std::size_t Width>
void copyText(std::string_view source, char (&field)[Width], std::size_t limit)
{
    static_assert(Width > 0);
    std::fill(field, field + Width, '\0');
    const bool ascii = std::all_of(source.begin(), source.end(),
                                   [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    if (ascii && source.size() <= std::min(limit, Width - 1))
        std::copy(source.begin(), source.end(), field);
}

// An integer field, held to the range of a 32-bit record field.
inline std::int32_t readInt32(std::string_view field)
{
    const long long value = NumberReader::readInteger(field);
    return std::int32_t(std::clamp<long long>(value, std::numeric_limits<std::int32_t>::min(),
                                              std::numeric_limits<std::int32_t>::max()));
}

// A field that gives no value: empty, or beginning with a space.
inline bool isBlank(std::string_view field)
{
    return field.empty() || field.front() == ' ';
}

}  // namespace SourceFields
