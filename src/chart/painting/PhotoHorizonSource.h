#pragma once

#include <QImage>

#include <cstdint>
#include <optional>

// The renderer of the site's photographic horizon, as the chart draws it.
class PhotoHorizonSource {
public:
    virtual ~PhotoHorizonSource() = default;

    // The panorama rendered for the current view into a chart of this size
    // (sky transparent), or none when it cannot be rendered.
    virtual std::optional<QImage> drawImage(std::uint16_t width, std::uint16_t height) = 0;
    // The brightness adjustment of a site's photograph.
    virtual float photoBrightAdj(int site) const = 0;
};
