#include "camera/allsky/AllSkyTiffFile.h"

#include "camera/allsky/AllSkyFileModule.h"

namespace AllSkyTiffFile {

std::optional<QByteArray> encode(const QImage& image)
{
    const AllSkyFileModule::Calls* module = AllSkyFileModule::calls();
    return module ? module->tiffEncode(image) : std::nullopt;
}

QImage rawImage(const AllSkyFrame& frame)
{
    const AllSkyFileModule::Calls* module = AllSkyFileModule::calls();
    return module ? module->tiffRawImage(frame) : QImage();
}

}  // namespace AllSkyTiffFile
