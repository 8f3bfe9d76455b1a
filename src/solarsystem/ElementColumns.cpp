#include "solarsystem/ElementColumns.h"

#include "platform/NumberReader.h"

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

}  // namespace

namespace ElementColumns {

std::string_view columns(std::string_view line, std::size_t first, std::size_t last)
{
    return NumberReader::column(line, first - 1, last - first + 1);
}

float real(std::string_view line, std::size_t first, std::size_t last)
{
    return float(NumberReader::readDouble(columns(line, first, last)));
}

std::uint16_t shortInteger(std::string_view line, std::size_t first, std::size_t last)
{
    return std::uint16_t(std::int32_t(NumberReader::readInteger(columns(line, first, last))));
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

}  // namespace ElementColumns
