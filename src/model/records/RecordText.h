#pragma once

#include <QLatin1StringView>

#include <cstddef>
#include <cstring>

// The text of a fixed-size record field: up to its first NUL, or the whole
// field when it is full.
template <std::size_t N>
QLatin1StringView recordText(const char (&field)[N])
{
    return QLatin1StringView(field, qsizetype(strnlen(field, N)));
}
