#pragma once

#include "focus/FocusPixels.h"

class FocusImageSource;

// The two cameras the focusers measure stars on. The Canon live view is
// preferred when both hold a new frame. A camera not set is one the program
// does not have.
class FocusCameras {
public:
    void setWebcam(FocusImageSource* webcam) { m_webcam = webcam; }
    void setCanon(FocusImageSource* canon) { m_canon = canon; }

    bool isAnyConnected() const;
    bool hasNewImage() const;
    // Asks both cameras for a fresh frame.
    void clearNewImages();
    // The Canon frame when it is new, else the webcam's; empty without cameras.
    FocusPixels currentImage() const;

private:
    FocusImageSource* m_webcam = nullptr;
    FocusImageSource* m_canon = nullptr;
};
