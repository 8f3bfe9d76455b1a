#include "solarsystem/TextLines.h"

#include <cstring>

TextLines::TextLines(std::string_view text)
    : m_text(text)
{
    const char* const begin = text.data();
    const char* const end = begin + text.size();
    m_starts.reserve(text.size() / 128 + 2);
    m_starts.push_back(0);
    if (std::memchr(begin, '\r', text.size()) == nullptr) {
        // Line feeds only, the usual case: let memchr do the scanning.
        const char* p = begin;
        while (const void* found = std::memchr(p, '\n', std::size_t(end - p))) {
            p = static_cast<const char*>(found) + 1;
            if (p != end)
                m_starts.push_back(std::size_t(p - begin));
        }
    } else {
        for (const char* p = begin; p != end; ++p) {
            if (*p == '\r' && p + 1 != end && p[1] == '\n')
                ++p;
            else if (*p != '\r' && *p != '\n')
                continue;
            if (p + 1 != end)
                m_starts.push_back(std::size_t(p + 1 - begin));
        }
    }
    if (text.empty())
        m_starts.clear();
    m_starts.push_back(text.size());
}

std::string_view TextLines::withoutBreak(std::string_view line)
{
    if (!line.empty() && line.back() == '\n')
        line.remove_suffix(1);
    if (!line.empty() && line.back() == '\r')
        line.remove_suffix(1);
    return line;
}
