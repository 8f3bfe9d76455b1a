// A downloaded camera file in the program: decoded by the camera file module,
// loaded with the first file shown, so that a start without the camera maps
// no LibRaw. The tests link the decoding code itself instead.
#include "camera/views/canon/CanonStillImage.h"
#include "camera/views/canon/CanonStillImageModule.h"
#include "platform/DeviceModule.h"

#include <QDebug>

namespace CanonStillImage {

QImage load(const QString& path)
{
    static const DeviceModule::Entry entry =
        DeviceModule::find(CanonStillImageModule::kName, CanonStillImageModule::kLoad);
    if (!entry.address) {
        qWarning().noquote() << "Camera files cannot be shown:" << entry.error;
        return {};
    }
    return reinterpret_cast<CanonStillImageModule::Load*>(entry.address)(path);
}

}  // namespace CanonStillImage
