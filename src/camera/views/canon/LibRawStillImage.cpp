#include "camera/views/canon/LibRawStillImage.h"

#include <libraw/libraw.h>

#include <QFileInfo>
#include <QImageReader>

#include <memory>

namespace {

struct ProcessedFree {
    void operator()(libraw_processed_image_t* image) const { LibRaw::dcraw_clear_mem(image); }
};
using Processed = std::unique_ptr<libraw_processed_image_t, ProcessedFree>;

QImage fromProcessed(const libraw_processed_image_t* image)
{
    if (!image)
        return {};
    if (image->type == LIBRAW_IMAGE_JPEG)
        return QImage::fromData(QByteArrayView(image->data, static_cast<qsizetype>(image->data_size)));
    if (image->type != LIBRAW_IMAGE_BITMAP || image->colors != 3 || image->bits != 8)
        return {};
    const qsizetype stride = qsizetype(image->width) * 3;
    if (qsizetype(image->data_size) < stride * image->height)
        return {};
    return QImage(image->data, image->width, image->height, stride, QImage::Format_RGB888).copy();
}

QImage loadRaw(const QString& path)
{
    auto raw = std::make_unique<LibRaw>();
    if (raw->open_file(QFile::encodeName(path).constData()) != LIBRAW_SUCCESS)
        return {};
    int error = LIBRAW_SUCCESS;
    if (raw->unpack_thumb() == LIBRAW_SUCCESS) {
        const Processed thumb(raw->dcraw_make_mem_thumb(&error));
        const QImage preview = fromProcessed(thumb.get());
        if (!preview.isNull())
            return preview;
    }
    raw->imgdata.params.half_size = 1;
    if (raw->unpack() != LIBRAW_SUCCESS || raw->dcraw_process() != LIBRAW_SUCCESS)
        return {};
    const Processed image(raw->dcraw_make_mem_image(&error));
    return fromProcessed(image.get());
}

}  // namespace

namespace LibRawStillImage {

QImage load(const QString& path)
{
    const QFileInfo file(path);
    if (!file.isFile() || file.size() > CanonStillImage::kMaxFileBytes)
        return {};
    // Raw files are TIFF-like: a TIFF reader would show only their thumbnail.
    static const QStringList rawSuffixes{"cr2", "cr3", "crw", "dng", "nef", "arw", "orf", "raf", "rw2", "pef"};
    const bool isRaw = rawSuffixes.contains(file.suffix().toLower());
    if (isRaw) {
        const QImage image = loadRaw(path);
        if (!image.isNull())
            return image;
    }
    QImageReader reader(path);
    const QImage image = reader.canRead() ? reader.read() : QImage();
    return image.isNull() && !isRaw ? loadRaw(path) : image;
}

}  // namespace LibRawStillImage
