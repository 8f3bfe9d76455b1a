// The entry of the all-sky image file module.
#include "camera/allsky/AllSkyFileModule.h"
#include "camera/allsky/AllSkyTiffFile.h"

extern "C" Q_DECL_EXPORT const AllSkyFileModule::Calls* norvaneAllSkyFileCalls()
{
    static const AllSkyFileModule::Calls calls{&AllSkyFitsFile::encode, &AllSkyTiffFile::encode,
                                               &AllSkyTiffFile::rawImage};
    return &calls;
}
