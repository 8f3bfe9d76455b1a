#include "focus/FocusCameras.h"

#include "focus/FocusImageSource.h"

bool FocusCameras::isAnyConnected() const
{
    return (m_webcam && m_webcam->isCameraConnected()) || (m_canon && m_canon->isCameraConnected());
}

bool FocusCameras::hasNewImage() const
{
    return (m_webcam && m_webcam->hasFocusImage()) || (m_canon && m_canon->hasFocusImage());
}

void FocusCameras::clearNewImages()
{
    for (FocusImageSource* camera : {m_webcam, m_canon}) {
        if (camera)
            camera->setHasFocusImage(false);
    }
}

FocusPixels FocusCameras::currentImage() const
{
    if (m_canon && m_canon->hasFocusImage())
        return m_canon->focusImage();
    return m_webcam ? m_webcam->focusImage() : FocusPixels{};
}
