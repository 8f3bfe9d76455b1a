// Decoded by the camera file module, loaded with the first file shown, so
// that a start without the camera maps no LibRaw.
#include "camera/views/canon/CanonStillImage.h"

#include "camera/views/canon/CanonStillImageModule.h"
#include "platform/DeviceModule.h"

namespace CanonStillImage {

QImage load(const QString& path)
{
    static auto* const decode = DeviceModule::functionOrWarn<CanonStillImageModule::Load>(
        CanonStillImageModule::kName, CanonStillImageModule::kLoad, QStringLiteral("the Canon camera's raw files"));
    return decode ? decode(path) : QImage();
}

}  // namespace CanonStillImage
