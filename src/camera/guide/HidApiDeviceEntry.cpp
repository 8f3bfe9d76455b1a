// The entry of the USB HID module.
#include "camera/CameraModules.h"
#include "camera/guide/HidApiDevice.h"

extern "C" Q_DECL_EXPORT std::unique_ptr<HidDevice> norvaneCreateHidDevice()
{
    return std::make_unique<HidApiDevice>();
}
