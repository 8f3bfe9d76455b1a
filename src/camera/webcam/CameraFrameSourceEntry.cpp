// The entry of the webcam module.
#include "camera/CameraModules.h"
#include "camera/webcam/CameraFrameSource.h"

extern "C" Q_DECL_EXPORT std::unique_ptr<FrameSource> norvaneCreateFrameSource()
{
    return std::make_unique<CameraFrameSource>();
}
