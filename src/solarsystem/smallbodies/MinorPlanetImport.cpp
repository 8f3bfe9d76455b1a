#include "solarsystem/smallbodies/MinorPlanetImport.h"

#include "solarsystem/smallbodies/OrbitLine.h"
#include "solarsystem/smallbodies/TextLines.h"

namespace MinorPlanetImport {

std::size_t lineCount(std::string_view text)
{
    return TextLines(text).count();
}

std::size_t appendList(std::string_view text, std::int32_t source, std::vector<minorPlanet>& table)
{
    const TextLines lines(text);
    for (std::size_t i = 0; i < lines.count(); ++i) {
        minorPlanet record{};
        if (!OrbitLine::parse(lines.content(i), record))
            continue;
        record.index = std::uint32_t(table.size());
        record.source = source;
        table.push_back(record);
    }
    return lines.count();
}

}  // namespace MinorPlanetImport
