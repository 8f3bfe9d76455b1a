#pragma once

#include <QImage>
#include <QString>

#include <array>
#include <cstdint>

// A site's photographic panorama: an equirectangular picture of the whole
// sphere, azimuth 0° (north) at the left edge growing through east, the
// zenith at the top row, the sky transparent and the landscape opaque.
class PhotoPanorama {
public:
    static constexpr int kNumColumns = 256;  // horizon samples, 1.40625° apart
    static constexpr int kNumRows = 128;     // samples down each column
    // The table counts rows of a 1024-row panorama, whatever the file's size.
    static constexpr std::uint16_t kTableRows = 1024;
    using HorizonTable = std::array<std::uint16_t, kNumColumns>;

    enum class Status { Loaded, Missing, Refused };
    struct Load {
        Status status = Status::Missing;
        QImage image;    // premultiplied ARGB, when loaded
        QString reason;  // why a file that exists was refused
    };

    // "PhotoHorizon<site>.png".
    static QString fileName(int site);
    // Reads a panorama. A file without an alpha channel is refused: it would
    // cover the whole chart.
    static Load load(const QString& path);
    // Column k (0 to 255) sampled at 128 rows from the top, at positions
    // scaled to the image's size: the first sample that is not transparent,
    // as a row of a 1024-row panorama, or 1024 when the column is all sky.
    static HorizonTable horizonTable(const QImage& image);
};
