#pragma once

#include <QDateTime>
#include <QtGlobal>

#include <vector>

// One image downloaded from the SG-4 guider or the AllSky camera, complete
// in itself: whoever keeps it needs nothing of the controller to read it.
struct SG4Image {
    // The read-out mode it was taken in: 0 "1X1", 1 "Crop", 2 "2X2", 255 sub-frame.
    quint8 readoutMode = 0;
    int width = 0;
    int height = 0;
    // The sub-frame square on the full 640 x 480 frame: left column, top row
    // counted from the top edge, side in pixels (0 outside the sub-frame mode).
    quint16 subFrameX = 0;
    quint16 subFrameY = 0;
    quint8 subFrameSize = 0;
    // 0 dark, 1 light.
    quint8 imageType = 1;
    float exposureSeconds = 0.0f;
    // When the camera accepted the exposure, UTC.
    QDateTime exposureUtc;
    // The stored dark frame was subtracted (AllSky, full resolution only).
    bool darkSubtracted = false;
    // width x height 16-bit values, rows from the top, left to right.
    std::vector<quint16> pixels;
};
