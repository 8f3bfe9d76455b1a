#include "scopeview/HT2ZoneFile.h"

#include <charconv>
#include <cmath>

namespace {

template <typename T>
bool parseField(std::string_view field, T& value)
{
    const char* end = field.data() + field.size();
    const auto [at, error] = std::from_chars(field.data(), end, value);
    return error == std::errc() && at == end && std::isfinite(value);
}

}  // namespace

HT2ZoneFile::HT2ZoneFile(const QString& path) : m_file(path)
{
    if (!m_file.open(QIODevice::ReadOnly) || m_file.size() == 0)
        return;
    if (const uchar* mapped = m_file.map(0, m_file.size())) {
        m_text = std::string_view(reinterpret_cast<const char*>(mapped), std::size_t(m_file.size()));
        return;
    }
    m_copy = m_file.readAll();
    m_text = std::string_view(m_copy.constData(), std::size_t(m_copy.size()));
}

std::optional<HT2ZoneFile::Line> HT2ZoneFile::readLine(std::string_view text, std::size_t& position)
{
    const std::size_t start = position;
    // A plain scan: find_first_of asks memchr about every character.
    std::size_t end = start;
    while (end < text.size() && text[end] != '\n' && text[end] != '\r')
        ++end;
    position = end;
    if (position < text.size())
        position += (text[position] == '\r' && position + 1 < text.size() && text[position + 1] == '\n') ? 2 : 1;

    const std::string_view line = text.substr(start, end - start);
    const std::size_t tab1 = line.find('\t');
    const std::size_t tab2 = tab1 == std::string_view::npos ? tab1 : line.find('\t', tab1 + 1);
    if (tab2 == std::string_view::npos || line.find('\t', tab2 + 1) != std::string_view::npos)
        return std::nullopt;
    Line parsed{};
    if (!parseField(line.substr(0, tab1), parsed.mag)
        || !parseField(line.substr(tab1 + 1, tab2 - tab1 - 1), parsed.ra)
        || !parseField(line.substr(tab2 + 1), parsed.dec))
        return std::nullopt;
    return parsed;
}
