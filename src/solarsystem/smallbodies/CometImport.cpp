#include "solarsystem/smallbodies/CometImport.h"

#include "solarsystem/smallbodies/ElementColumns.h"
#include "solarsystem/smallbodies/TextLines.h"

#include <cstring>

using ElementColumns::columns;
using ElementColumns::real;
using ElementColumns::shortInteger;
using ElementColumns::trimmed;

namespace {

constexpr std::size_t kShortestLastLine = 10;

}  // namespace

std::string_view CometImport::name(std::string_view line)
{
    if (line.size() < 103)
        return {};
    const std::string_view all = trimmed(columns(line, 103, line.size()));
    if (all.size() <= kNameLength)
        return all;
    return trimmed(columns(line, 103, 102 + kNameLength));
}

CometImport::Result CometImport::parse(std::string_view text)
{
    Result result;
    const TextLines lines(text);
    if (text.size() < kShortestLastLine || lines.line(lines.count() - 1).size() < kShortestLastLine) {
        result.status = Status::FormatError;
        return result;
    }

    std::vector<comet> comets;
    comets.reserve(lines.count());
    for (std::size_t k = 0; k < lines.count(); ++k) {
        const std::string_view line = lines.content(k);
        if (line.size() < kMinimumLength)
            continue;
        comet c{};
        c.perihelionYear = shortInteger(line, 15, 19);
        c.perihelionMonth = shortInteger(line, 20, 22);
        c.perihelionDay = real(line, 23, 31);
        if (c.perihelionYear < 1000 || c.perihelionYear > 3000 || c.perihelionMonth < 1
            || c.perihelionMonth > 12 || !(c.perihelionDay >= 1.0f && c.perihelionDay <= 33.0f)) {
            result.status = Status::RangeError;
            result.badLine = k;
            return result;
        }
        c.perihelionDistance = real(line, 31, 40);
        c.eccentricity = real(line, 42, 51);
        c.argPerihelion = real(line, 52, 61);
        c.node = real(line, 62, 71);
        c.inclination = real(line, 72, 81);
        c.absMagnitude = real(line, 92, 96);
        c.slope = real(line, 97, 102);
        const std::string_view n = name(line);
        if (!n.empty())
            std::memcpy(c.name, n.data(), n.size());
        c.index = std::uint32_t(comets.size());
        comets.push_back(c);
    }
    result.comets = std::move(comets);
    return result;
}
