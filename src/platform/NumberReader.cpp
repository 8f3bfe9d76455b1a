#include "platform/NumberReader.h"

#include <charconv>

namespace {

// Strips leading blanks and the sign; returns -1 or +1.
int takeSign(std::string_view& field)
{
    std::size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    int sign = 1;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        sign = field[i] == '-' ? -1 : 1;
        ++i;
    }
    field.remove_prefix(i);
    return sign;
}

bool startsNumber(std::string_view field)
{
    return !field.empty() && ((field[0] >= '0' && field[0] <= '9') || field[0] == '.');
}

}  // namespace

namespace NumberReader {

double readDouble(std::string_view field)
{
    const int sign = takeSign(field);
    // from_chars would also take "inf" and "nan", which no catalogue column means.
    if (!startsNumber(field))
        return 0.0;
    double value = 0.0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range)
        return 0.0;
    return sign * value;
}

long long readInteger(std::string_view field)
{
    const int sign = takeSign(field);
    if (!startsNumber(field))
        return 0;
    long long value = 0;
    const auto result = std::from_chars(field.data(), field.data() + field.size(), value);
    if (result.ec != std::errc())
        return 0;
    return sign * value;
}

std::string_view column(std::string_view line, std::size_t first, std::size_t width)
{
    if (first >= line.size())
        return {};
    return line.substr(first, width);
}

}  // namespace NumberReader
