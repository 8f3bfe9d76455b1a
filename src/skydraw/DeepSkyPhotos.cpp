#include "skydraw/DeepSkyPhotos.h"

#include "model/records/deepSky.h"
#include "platform/widgets/ImageFile.h"

#include <QFileInfo>

#include <array>
#include <cstring>
#include <utility>

namespace {

// Decoded photographs kept, in kilobytes.
constexpr qsizetype kCacheKilobytes = 64 * 1024;

template <std::size_t N>
QString textOf(const char (&field)[N])
{
    return QString::fromLatin1(field, qsizetype(strnlen(field, N)));
}

}  // namespace

DeepSkyPhotos::DeepSkyPhotos(QString userPhotoDirectory, QString stockPhotoDirectory)
    : m_userDirectory(std::move(userPhotoDirectory)),
      m_stockDirectory(std::move(stockPhotoDirectory)),
      m_cache(kCacheKilobytes)
{
}

bool DeepSkyPhotos::isSafeFileName(QStringView name)
{
    if (name.trimmed().isEmpty())
        return false;
    return !name.contains(u'/') && !name.contains(u"..");
}

QImage DeepSkyPhotos::photoFor(const deepSky& object)
{
    const std::array<QString, 3> names = {textOf(object.ngc), textOf(object.messier), textOf(object.name)};
    for (const QString* directory : {&m_userDirectory, &m_stockDirectory}) {
        if (directory->isEmpty())
            continue;
        for (const QString& name : names) {
            if (!isSafeFileName(name))
                continue;
            QImage photo = load(*directory + name + QLatin1StringView(".jpg"));
            if (!photo.isNull())
                return photo;
        }
    }
    return {};
}

QImage DeepSkyPhotos::load(const QString& path)
{
    if (const QImage* kept = m_cache.object(path))
        return *kept;
    if (!QFileInfo::exists(path))
        return {};
    auto image = std::make_unique<QImage>(ImageFile::image(path));
    if (!image->isNull())
        *image = image->convertToFormat(QImage::Format_ARGB32_Premultiplied);
    // A file that does not decode is remembered as such, at a token cost.
    const QImage photo = *image;
    const qsizetype kilobytes = qMax<qsizetype>(1, image->sizeInBytes() / 1024);
    m_cache.insert(path, image.release(), kilobytes);
    return photo;
}
