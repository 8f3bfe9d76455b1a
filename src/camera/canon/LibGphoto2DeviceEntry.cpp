// The entry of the Canon camera module.
#include "camera/CameraModules.h"
#include "camera/canon/LibGphoto2Device.h"

extern "C" Q_DECL_EXPORT std::unique_ptr<Gphoto2Device> norvaneCreateGphoto2Device(const std::atomic<bool>& cancelled)
{
    return std::make_unique<LibGphoto2Device>(cancelled);
}
