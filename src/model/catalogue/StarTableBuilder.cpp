#include "model/catalogue/StarTableBuilder.h"

#include "model/catalogue/SourceFields.h"
#include "model/UnitVector.h"
#include "platform/NumberReader.h"

#include <cstring>

namespace {

using Angles::kMasPerYearToRadPerCentury;

}  // namespace

CachedTable<star> StarTableBuilder::table(const QString& databaseDirectory,
                                          const QString& buildDirectory)
{
    CachedTable<star> table;
    table.cachePath = databaseDirectory + "Stars.tvk";
    table.sourcePath = buildDirectory + "BuildStar.txt";
    table.minRecords = kMinStars;
    table.minFields = kFieldCount;
    table.maxFields = kFieldCount;
    table.makeRecord = &makeStar;
    table.buildError = CatalogueMessages::kCanNotBuildStarData;
    table.writeError = CatalogueMessages::kCanNotWriteStarData;
    table.numberError = CatalogueMessages::kStarNumberError;
    return table;
}

star StarTableBuilder::makeStar(std::uint32_t index, const std::vector<std::string_view>& fields)
{
    star s;
    std::memset(&s, 0, sizeof s);
    s.index = index;
    SourceFields::copyText(fields[0], s.sao, 6);
    SourceFields::copyText(fields[1], s.bayer, 10);
    SourceFields::copyText(fields[2], s.name, 14);
    s.mag = float(NumberReader::readDouble(fields[3]));
    SourceFields::copyText(fields[4], s.spectral, 2);
    s.color = colorOf(s.spectral);
    s.type = SourceFields::readInt32(fields[5]);
    s.raDeg = NumberReader::readDouble(fields[6]);
    s.decDeg = NumberReader::readDouble(fields[7]);
    s.pmRA = NumberReader::readDouble(fields[8]) * kMasPerYearToRadPerCentury;
    s.pmDec = NumberReader::readDouble(fields[9]) * kMasPerYearToRadPerCentury;
    const UnitVector v = UnitVector::fromRADec(s.raDeg * kDegToRad, s.decDeg * kDegToRad);
    s.vecX = v.x;
    s.vecY = v.y;
    s.vecZ = v.z;
    return s;
}

char StarTableBuilder::colorOf(std::string_view spectral)
{
    switch (spectral.empty() ? ' ' : spectral.front()) {
    case 'B':
    case 'O':
        return 'B';
    case 'G':
        return 'Y';
    case 'K':
        return 'O';
    case 'M':
        return 'R';
    default:
        return 'W';
    }
}
