#pragma once

#include <QByteArrayView>

#include <cstddef>
#include <cstring>
#include <string_view>

// Case-insensitive comparisons of a record's ASCII character field with the
// searched text (UTF-8), without copying either: every search compares
// hundreds of thousands of fields. A field that is empty or starts with a
// blank holds nothing and matches nothing.
namespace FieldMatch {

template <std::size_t N>
std::string_view text(const char (&field)[N])
{
    if (field[0] == ' ' || field[0] == '\0')
        return {};
    return {field, ::strnlen(field, N)};
}

inline char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

inline bool equals(std::string_view field, QByteArrayView wanted)
{
    if (field.empty() || std::size_t(wanted.size()) != field.size())
        return false;
    for (std::size_t i = 0; i < field.size(); ++i)
        if (lower(field[i]) != lower(wanted[qsizetype(i)]))
            return false;
    return true;
}

inline bool contains(std::string_view field, QByteArrayView wanted)
{
    const std::size_t n = std::size_t(wanted.size());
    if (field.empty() || n == 0 || n > field.size())
        return false;
    for (std::size_t start = 0; start + n <= field.size(); ++start)
        if (equals(field.substr(start, n), wanted))
            return true;
    return false;
}

}  // namespace FieldMatch
