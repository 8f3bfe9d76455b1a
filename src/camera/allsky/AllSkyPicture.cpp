#include "camera/allsky/AllSkyPicture.h"

#include "camera/allsky/AllSkyFrame.h"
#include "camera/image/ImageFilters.h"

#include <algorithm>
#include <cmath>

namespace AllSkyPicture {

std::optional<Placement> placement(const AllSkyFrame& frame)
{
    switch (frame.readOutMode) {
    case AllSkyFrame::kFullMode: return Placement{{640, 480}, {0, 0, 640, 480}, {0, 0}, false};
    case AllSkyFrame::kCropMode: return Placement{{512, 480}, {0, 0, 512, 480}, {64, 0}, false};
    case AllSkyFrame::kBinnedMode: return Placement{{320, 240}, {0, 0, 640, 480}, {0, 0}, true};
    case AllSkyFrame::kSubFrameMode: {
        const double s = frame.subFrameSize;
        const QPointF at(std::max(0.0, frame.subFrameX - 0.5 * s),
                         std::max(0.0, AllSkyFrame::kViewHeight - frame.subFrameY - 1.5 * s));
        return Placement{{int(s), int(s)}, {0, 0, 2 * s, 2 * s}, at, true};
    }
    default: return std::nullopt;
    }
}

QImage process(const AllSkyFrame& frame, float ev, const QImage* stamp)
{
    const std::optional<Placement> place = placement(frame);
    if (!place || !frame.isComplete() || frame.width != place->bitmap.width()
        || frame.height != place->bitmap.height())
        return {};
    const double gain = std::exp2(double(ev)) * 255.0 / 65535.0;
    QImage picture(frame.width, frame.height, QImage::Format_RGB32);
    for (int y = 0; y < frame.height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
        const quint16* pixels = frame.pixels.data() + std::size_t(y) * frame.width;
        for (int x = 0; x < frame.width; ++x) {
            const int level = int(std::min(255.0, pixels[x] * gain + 0.5));
            row[x] = qRgb(level, level, level);
        }
    }
    if (place->isDoubled)
        picture = picture.scaled(picture.size() * 2, Qt::IgnoreAspectRatio, Qt::FastTransformation);
    if (stamp)
        ImageFilters::lighten(picture, *stamp, QPoint(0, picture.height() - stamp->height()));
    return picture;
}

}  // namespace AllSkyPicture
