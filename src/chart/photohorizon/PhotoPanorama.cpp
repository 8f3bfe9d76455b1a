#include "chart/photohorizon/PhotoPanorama.h"

#include "platform/widgets/ImageFile.h"

#include <QFileInfo>

QString PhotoPanorama::fileName(int site)
{
    return QStringLiteral("PhotoHorizon%1.png").arg(site);
}

PhotoPanorama::Load PhotoPanorama::load(const QString& path)
{
    if (!QFileInfo::exists(path))
        return {};
    const QString name = QFileInfo(path).fileName();
    const ImageFile::Read read = ImageFile::read(path);
    const QImage& image = read.image;
    if (image.isNull())
        return {Status::Refused, {},
                QStringLiteral("\"%1\" could not be read as an image (%2).").arg(name, read.error)};
    if (!image.hasAlphaChannel())
        return {Status::Refused, {},
                QStringLiteral("\"%1\" has no alpha channel: its sky must be transparent, or the photograph "
                               "would cover the whole chart.")
                    .arg(name)};
    return {Status::Loaded, image.convertToFormat(QImage::Format_ARGB32_Premultiplied), {}};
}

PhotoPanorama::HorizonTable PhotoPanorama::horizonTable(const QImage& image)
{
    HorizonTable table;
    table.fill(kTableRows);
    if (image.isNull())
        return table;
    const qint64 width = image.width();
    const qint64 height = image.height();
    constexpr int kRowStep = kTableRows / kNumRows;
    for (int k = 0; k < kNumColumns; ++k) {
        const int x = int(k * width / kNumColumns);
        for (int j = 0; j < kNumRows; ++j) {
            if (qAlpha(image.pixel(x, int(j * height / kNumRows))) != 0) {
                table[std::size_t(k)] = std::uint16_t(kRowStep * j);
                break;
            }
        }
    }
    return table;
}
