#pragma once

#include <QDateTime>
#include <QSize>
#include <QtGlobal>

#include <optional>
#include <vector>

// One image the all-sky camera delivered, as the controller hands it over
// after a transfer: the 16-bit pixels (rows from the top, left to right) and
// what the exposure was.
struct AllSkyFrame {
    // Read-out modes of the camera.
    static constexpr quint8 kFullMode = 0;     // "1X1", 640 x 480
    static constexpr quint8 kCropMode = 1;     // "Crop", 512 x 480
    static constexpr quint8 kBinnedMode = 2;   // "2X2", 320 x 240
    static constexpr quint8 kSubFrameMode = 255;
    // Image types.
    static constexpr quint8 kDarkType = 0;
    static constexpr quint8 kLightType = 1;
    static constexpr quint8 kAutoType = 2;
    // The picture area every mode is shown in.
    static constexpr int kViewWidth = 640;
    static constexpr int kViewHeight = 480;

    quint8 readOutMode = kFullMode;
    quint8 imageType = kLightType;
    int width = 0;
    int height = 0;
    // The sub-frame square: left column, top row counted from the top, side.
    quint16 subFrameX = 0;
    quint16 subFrameY = 0;
    quint8 subFrameSize = 0;
    float exposureSeconds = 0.0F;
    // When the exposure began, in UTC.
    QDateTime startUtc;
    // A stored dark frame was taken off this light frame.
    bool isDarkSubtracted = false;
    std::vector<quint16> pixels;

    // Width and height of a mode that is saved to files (not the sub-frame).
    static std::optional<QSize> fileSize(quint8 mode)
    {
        switch (mode) {
        case kFullMode: return QSize(640, 480);
        case kCropMode: return QSize(512, 480);
        case kBinnedMode: return QSize(320, 240);
        default: return std::nullopt;
        }
    }
    // Whether the pixels fill width x height.
    bool isComplete() const
    {
        return width > 0 && height > 0 && pixels.size() == std::size_t(width) * std::size_t(height);
    }
};
