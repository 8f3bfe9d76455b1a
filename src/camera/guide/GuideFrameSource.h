#pragma once

#include <QtGlobal>

// The camera whose pictures the guider measures: one 8-bit grey copy of its
// latest frame, rows from the top, pixel (x, y) at y × width + x. The camera
// sets the new-image flag when it refills the buffer; the guider clears it to
// ask for the next frame.
class GuideFrameSource {
public:
    virtual ~GuideFrameSource() = default;
    virtual int width() const = 0;
    virtual int height() const = 0;
    // Null when the camera holds no frame buffer.
    virtual const quint8* focusBuff() const = 0;
    virtual bool hasFocusImage() const = 0;
    virtual void setHasFocusImage(bool fresh) = 0;
};
