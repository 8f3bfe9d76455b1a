#pragma once

#include <QRect>

// The webcam's zoom: a factor s shows a 640 x 480 window's worth of the
// frame divided by s, centred and moved by the pan. The pan is in screen
// points, x to the right and y upward; it is clamped so that the crop stays
// inside the frame.
struct ZoomCrop {
    static constexpr double kWindowWidth = 640.0;
    static constexpr double kWindowHeight = 480.0;

    // The crop in frame pixels (rows from the top), or an empty rectangle for
    // none (factor 1 or less, or `recording`, which also zeroes the pan).
    // Updates the pan where the clamp stops it.
    static QRect crop(double width, double height, double scale, bool recording, double& shiftX,
                      double& shiftY);
};
