#pragma once

#include "app/CameraFocusPixels.h"
#include "camera/webcam/WebCamController.h"
#include "focus/FocusImageSource.h"

#include <limits>

// The webcam's focus buffer as the focusers' autofocus runs measure it.
class WebcamFocusSource final : public FocusImageSource {
public:
    explicit WebcamFocusSource(WebCamController& webcam) : m_webcam(webcam) {}

    bool isCameraConnected() const override { return m_webcam.isConnected(); }
    bool hasFocusImage() const override { return m_webcam.focusImage().hasFocusImage(); }
    void setHasFocusImage(bool fresh) override { m_webcam.focusImage().setHasFocusImage(fresh); }
    FocusPixels focusImage() const override
    {
        const FocusImage& image = m_webcam.focusImage();
        // The webcam's buffer holds exactly the whole pixels of its size.
        return cameraFocusPixels(image.focusBuff(), kSizedBySides, image.width(), image.height());
    }

private:
    static constexpr std::size_t kSizedBySides = std::numeric_limits<std::size_t>::max();

    WebCamController& m_webcam;
};
