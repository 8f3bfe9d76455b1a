// The all-sky image files in the program: the calls go to the image file
// module, loaded with the first saved image, so that a start without the
// all-sky camera maps neither cfitsio nor libtiff. The tests link the files'
// own code instead.
#include "camera/allsky/AllSkyFileModule.h"
#include "camera/allsky/AllSkyTiffFile.h"
#include "platform/DeviceModule.h"

#include <QDebug>

namespace {

const AllSkyFileModule::Calls* calls()
{
    static const DeviceModule::Entry entry = DeviceModule::find(AllSkyFileModule::kName, AllSkyFileModule::kCalls);
    if (!entry.address) {
        qWarning().noquote() << "All-sky images cannot be saved:" << entry.error;
        return nullptr;
    }
    return reinterpret_cast<AllSkyFileModule::GetCalls*>(entry.address)();
}

}  // namespace

std::optional<QByteArray> AllSkyFitsFile::encode(const AllSkyFrame& frame, const Names& names)
{
    const AllSkyFileModule::Calls* module = calls();
    return module ? module->fitsEncode(frame, names) : std::nullopt;
}

namespace AllSkyTiffFile {

std::optional<QByteArray> encode(const QImage& image)
{
    const AllSkyFileModule::Calls* module = calls();
    return module ? module->tiffEncode(image) : std::nullopt;
}

QImage rawImage(const AllSkyFrame& frame)
{
    const AllSkyFileModule::Calls* module = calls();
    return module ? module->tiffRawImage(frame) : QImage();
}

}  // namespace AllSkyTiffFile
