#pragma once

#include "camera/canon/Gphoto2Device.h"
#include "camera/guide/HidDevice.h"
#include "camera/webcam/FrameSource.h"

#include <atomic>
#include <memory>

// The camera code that needs large system libraries lives in modules loaded
// at first use (DeviceModule): the webcams on Qt Multimedia, the USB HID
// adapters on hidapi, the Canon camera on libgphoto2.
namespace CameraModules {

inline constexpr const char* kWebcam = "norvane-webcam";
inline constexpr const char* kCreateFrameSource = "norvaneCreateFrameSource";
using CreateFrameSource = std::unique_ptr<FrameSource>();

inline constexpr const char* kHid = "norvane-hidapi";
inline constexpr const char* kCreateHidDevice = "norvaneCreateHidDevice";
using CreateHidDevice = std::unique_ptr<HidDevice>();

inline constexpr const char* kGphoto2 = "norvane-gphoto2";
inline constexpr const char* kCreateGphoto2Device = "norvaneCreateGphoto2Device";
using CreateGphoto2Device = std::unique_ptr<Gphoto2Device>(const std::atomic<bool>& cancelled);

}  // namespace CameraModules
