#pragma once

#include <QImage>
#include <QString>

// The pictures the webcam lays over its frames, loaded once from the
// resources' "Buttons" folder as premultiplied 32-bit images. A missing
// picture is a null image, which draws nothing.
struct OverlayPictures {
    QImage marker;       // "Marker.png", 100 x 100, the centre mark
    QImage grid;         // "Grid.png", 640 x 480
    QImage grid1280;     // "Grid1280.png", 1280 x 960, for frames 1200 wide or more
    QImage guideGrid;    // "GuideGrid.png", 60 x 60, the guide star's lock
    QImage calMark;      // "CalMark.png", 60 x 60, calibration and focus-curve stars
    QImage hotPixelRect; // "HotPixelRect.png", 5 x 5

    static OverlayPictures load(const QString& resources);
};
