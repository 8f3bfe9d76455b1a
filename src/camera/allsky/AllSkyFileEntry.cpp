// The entry of the all-sky image file module.
#include "camera/allsky/AllSkyFileModule.h"
#include "camera/allsky/AllSkyFitsWriter.h"
#include "camera/allsky/AllSkyTiffWriter.h"

extern "C" Q_DECL_EXPORT const AllSkyFileModule::Calls* norvaneAllSkyFileCalls()
{
    static const AllSkyFileModule::Calls calls{&AllSkyFitsWriter::encode, &AllSkyTiffWriter::encode,
                                               &AllSkyTiffWriter::rawImage};
    return &calls;
}
