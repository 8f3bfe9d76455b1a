#pragma once

#include <QPainterPath>
#include <QString>

#include <cstdint>
#include <optional>
#include <span>

// The horizon as a closed figure in a plane of azimuth (x) and altitude (y),
// both in radians, that the finder tests objects against.
class HorizonFigure {
public:
    static constexpr int kProfileSteps = 256;

    // From a custom-horizon text: (0, 0), each point up to the first line that
    // is not two fields (azimuth 360 and over brought back by 360 degrees,
    // not turned to the south as the horizon slots are), down to altitude 0
    // under the last point and back. Nothing when the text cannot be read or
    // announces fewer than 10 points.
    static std::optional<QPainterPath> fromText(const QString& path);

    // From the photographic horizon's outline: one value per azimuth step of
    // 360/256 degrees, 512 at altitude 0 down to 0 at the zenith.
    static QPainterPath fromPhotoProfile(std::span<const std::uint16_t, kProfileSteps> profile);
};
