#include "solarsystem/smallbodies/ElementColumns.h"

#include "platform/NumberReader.h"

#include <cstdint>

namespace {

// Powers of ten that doubles hold exactly.
constexpr double kPowersOfTen[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7,
                                   1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

// The plain decimals of the element files ("  0.0795763", "-2.0", "231.53975")
// without the general reader: at most 15 digits make an integer that a
// double holds exactly, and one division by an exact power of ten is
// correctly rounded, so the result is the general reader's to the last bit.
// False, for the general reader to take over, for anything else: an
// exponent, more digits, no digit at all.
bool readPlainDecimal(std::string_view field, double& value)
{
    std::size_t i = 0;
    while (i < field.size() && (field[i] == ' ' || field[i] == '\t'))
        ++i;
    bool negative = false;
    if (i < field.size() && (field[i] == '+' || field[i] == '-')) {
        negative = field[i] == '-';
        ++i;
    }
    std::uint64_t mantissa = 0;
    int digits = 0;
    int fractionDigits = 0;
    bool point = false;
    for (; i < field.size(); ++i) {
        const char c = field[i];
        if (c >= '0' && c <= '9') {
            mantissa = mantissa * 10 + std::uint64_t(c - '0');
            ++digits;
            fractionDigits += point ? 1 : 0;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    if (digits == 0 || digits > 15 || (i < field.size() && (field[i] == 'e' || field[i] == 'E')))
        return false;
    const double magnitude = double(mantissa) / kPowersOfTen[fractionDigits];
    value = negative ? -magnitude : magnitude;
    return true;
}

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
    return float(readDouble(columns(line, first, last)));
}

double readDouble(std::string_view field)
{
    double value = 0.0;
    return readPlainDecimal(field, value) ? value : NumberReader::readDouble(field);
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
