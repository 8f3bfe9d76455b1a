#include "camera/webcam/ZoomCrop.h"

#include <cmath>

QRect ZoomCrop::crop(double width, double height, double scale, bool recording, double& shiftX,
                     double& shiftY)
{
    if (scale <= 1.0 || recording) {
        shiftX = 0;
        shiftY = 0;
        return {};
    }
    const double cw = kWindowWidth / scale;
    const double ch = kWindowHeight / scale;
    const double a = width - cw;
    const double b = height - ch;
    // x0, y0: the crop's lower-left corner, rows from the bottom.
    double x0 = 0.5 * a - shiftX / scale;
    if (x0 < 0) {
        x0 = 0;
        shiftX = 0.5 * scale * a;
    }
    double y0 = 0.5 * b - shiftY / scale;
    if (y0 < 0) {
        y0 = 0;
        shiftY = 0.5 * scale * b;
    }
    if (x0 > a) {
        x0 = a;
        shiftX = -0.5 * scale * a;
    }
    if (y0 > b) {
        y0 = b;
        shiftY = -0.5 * scale * b;
    }
    const int left = int(std::lround(x0));
    const int w = int(std::lround(cw));
    const int h = int(std::lround(ch));
    const int top = int(std::lround(height - y0 - ch));
    return QRect(left, top, w, h);
}
