#include "model/catalogue/DeepSkyTableBuilder.h"

#include "model/catalogue/SourceFields.h"
#include "model/UnitVector.h"
#include "platform/NumberReader.h"

#include <cstring>

CachedTable<deepSky> DeepSkyTableBuilder::table(const QString& databaseDirectory,
                                                const QString& buildDirectory)
{
    CachedTable<deepSky> table;
    table.cachePath = databaseDirectory + "DeepSky.tvk";
    table.sourcePath = buildDirectory + "BuildDeepSky.txt";
    table.minRecords = kMinObjects;
    table.minFields = kMinFields;
    table.maxFields = kMaxFields;
    table.makeRecord = &makeDeepSky;
    table.buildError = CatalogueMessages::kCanNotBuildDeepSkyData;
    table.writeError = CatalogueMessages::kCanNotWriteDeepSkyData;
    table.numberError = CatalogueMessages::kDeepSkyNumberError;
    return table;
}

deepSky DeepSkyTableBuilder::makeDeepSky(std::uint32_t index,
                                         const std::vector<std::string_view>& fields)
{
    using SourceFields::readInt32;
    deepSky d;
    std::memset(&d, 0, sizeof d);
    d.index = index;
    SourceFields::copyText(fields[0], d.ngc, 10);
    SourceFields::copyText(fields[1], d.messier, 4);
    SourceFields::copyText(fields[2], d.name, 19);
    d.caldwell = readInt32(fields[3]);
    d.herschel = readInt32(fields[4]);
    d.arp = readInt32(fields[5]);
    d.type = readInt32(fields[6]);
    d.list = readInt32(fields[7]);
    SourceFields::copyText(fields[8], d.con, 3);
    d.size = SourceFields::isBlank(fields[9]) ? 0.0f : float(NumberReader::readDouble(fields[9]));
    d.mag = SourceFields::isBlank(fields[10]) ? kBlankMagnitude
                                              : float(NumberReader::readDouble(fields[10]));
    const UnitVector v = UnitVector::fromRADec(NumberReader::readDouble(fields[11]) * kDegToRad,
                                               NumberReader::readDouble(fields[12]) * kDegToRad);
    d.vecX = v.x;
    d.vecY = v.y;
    d.vecZ = v.z;
    return d;
}
