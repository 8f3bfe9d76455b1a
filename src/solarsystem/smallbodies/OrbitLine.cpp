#include "solarsystem/smallbodies/OrbitLine.h"

#include "platform/NumberReader.h"
#include "solarsystem/smallbodies/ElementColumns.h"

#include <algorithm>
#include <cstring>

using ElementColumns::columns;
using ElementColumns::real;
using ElementColumns::trimmed;

namespace {

bool hasDecimalDigit(std::string_view field)
{
    return std::any_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

namespace OrbitLine {

std::uint16_t packedEpochDigit(char c)
{
    const auto digit = int(NumberReader::readInteger(std::string_view(&c, 1)));
    return std::uint16_t(digit != 0 ? digit : int(static_cast<unsigned char>(c)) - 55);
}

void readableName(std::string_view line, char (&name)[21])
{
    std::string_view text = trimmed(columns(line, 167, 194));
    text = trimmed(text.substr(0, sizeof name - 1));
    std::memset(name, 0, sizeof name);
    if (!text.empty())
        std::memcpy(name, text.data(), text.size());
}

bool parse(std::string_view line, minorPlanet& record)
{
    if (line.size() < kMinimumLength)
        return false;

    std::memset(record.designation, 0, sizeof record.designation);
    std::memcpy(record.designation, line.data(), 7);

    if (hasDecimalDigit(columns(line, 9, 14))) {
        record.absMagnitude = real(line, 9, 14);
        record.slope = real(line, 15, 20);
    } else {
        record.absMagnitude = 20.0f;
        record.slope = 0.15f;
    }

    const int century = line[20] == 'I' ? 1800 : line[20] == 'J' ? 1900 : 2000;
    const auto yearInCentury = std::int32_t(NumberReader::readInteger(columns(line, 22, 23)));
    record.epochYear = std::uint16_t(century + yearInCentury);
    record.epochMonth = packedEpochDigit(line[23]);
    const std::uint16_t day = packedEpochDigit(line[24]);
    record.epochDay = float(day);

    record.meanAnomaly = real(line, 27, 36);
    record.argPerihelion = real(line, 38, 47);
    record.node = real(line, 49, 58);
    record.inclination = real(line, 60, 69);
    record.eccentricity = real(line, 71, 80);
    record.semiMajorAxis = real(line, 93, 104);
    readableName(line, record.name);

    return record.epochYear >= 1000 && record.epochYear <= 3000 && record.epochMonth >= 1
        && record.epochMonth <= 12 && day >= 1 && day <= 33;
}

}  // namespace OrbitLine
