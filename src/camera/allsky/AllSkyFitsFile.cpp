#include "camera/allsky/AllSkyFitsFile.h"

#include "camera/allsky/AllSkyFileModule.h"

std::optional<QByteArray> AllSkyFitsFile::encode(const AllSkyFrame& frame, const Names& names)
{
    const AllSkyFileModule::Calls* module = AllSkyFileModule::calls();
    return module ? module->fitsEncode(frame, names) : std::nullopt;
}
