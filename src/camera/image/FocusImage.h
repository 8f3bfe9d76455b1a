#pragma once

#include <cstdint>

// A camera's latest frame as the guider and the focusers measure stars on
// it: one byte of 8-bit grey per pixel, rows from the top of the picture,
// pixel (x, y) at y x width + x, trunc(width) x trunc(height) bytes. The
// camera sets the new-image flag when it refills the buffer; a consumer
// clears it to ask for the next frame.
class FocusImage {
public:
    virtual ~FocusImage() = default;
    // Null while no buffer exists.
    virtual const std::uint8_t* focusBuff() const = 0;
    virtual float width() const = 0;
    virtual float height() const = 0;
    virtual bool hasFocusImage() const = 0;
    virtual void setHasFocusImage(bool fresh) = 0;
};
