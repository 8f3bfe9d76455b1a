#include "camera/allsky/AllSkyTiffWriter.h"

#include "camera/allsky/AllSkyFrame.h"

#include <tiffio.h>

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// The file libtiff writes into: a growing byte array with a position.
struct MemoryFile {
    QByteArray bytes;
    qint64 position = 0;
};

tsize_t readProc(thandle_t handle, tdata_t buffer, tsize_t size)
{
    auto* file = static_cast<MemoryFile*>(handle);
    const qint64 available = std::max<qint64>(0, file->bytes.size() - file->position);
    const qint64 count = std::min<qint64>(size, available);
    std::memcpy(buffer, file->bytes.constData() + file->position, std::size_t(count));
    file->position += count;
    return tsize_t(count);
}

tsize_t writeProc(thandle_t handle, tdata_t buffer, tsize_t size)
{
    auto* file = static_cast<MemoryFile*>(handle);
    const qint64 end = file->position + size;
    if (end > file->bytes.size())
        file->bytes.resize(qsizetype(end), '\0');
    std::memcpy(file->bytes.data() + file->position, buffer, std::size_t(size));
    file->position = end;
    return size;
}

toff_t seekProc(thandle_t handle, toff_t offset, int whence)
{
    auto* file = static_cast<MemoryFile*>(handle);
    qint64 target = qint64(offset);
    if (whence == SEEK_CUR)
        target += file->position;
    else if (whence == SEEK_END)
        target += file->bytes.size();
    if (target < 0)
        return toff_t(-1);
    file->position = target;
    return toff_t(target);
}

int closeProc(thandle_t) { return 0; }

toff_t sizeProc(thandle_t handle) { return toff_t(static_cast<MemoryFile*>(handle)->bytes.size()); }

int mapProc(thandle_t, tdata_t*, toff_t*) { return 0; }

void unmapProc(thandle_t, tdata_t, toff_t) {}

struct CloseTiff {
    void operator()(TIFF* tiff) const { TIFFClose(tiff); }
};

}  // namespace

namespace AllSkyTiffWriter {

QImage rawImage(const AllSkyFrame& frame)
{
    if (!frame.isComplete())
        return {};
    QImage image(frame.width, frame.height, QImage::Format_Grayscale16);
    for (int y = 0; y < frame.height; ++y)
        std::memcpy(image.scanLine(y), frame.pixels.data() + std::size_t(y) * frame.width,
                    std::size_t(frame.width) * sizeof(quint16));
    return image;
}

std::optional<QByteArray> encode(const QImage& picture)
{
    if (picture.isNull())
        return std::nullopt;
    const bool isGrey = picture.format() == QImage::Format_Grayscale16;
    const QImage image = isGrey ? picture : picture.convertToFormat(QImage::Format_RGB888);

    MemoryFile file;
    std::unique_ptr<TIFF, CloseTiff> tiff(TIFFClientOpen("AllSkyImage", "w", &file, readProc, writeProc, seekProc,
                                                         closeProc, sizeProc, mapProc, unmapProc));
    if (!tiff)
        return std::nullopt;
    const int samples = isGrey ? 1 : 3;
    TIFFSetField(tiff.get(), TIFFTAG_IMAGEWIDTH, uint32_t(image.width()));
    TIFFSetField(tiff.get(), TIFFTAG_IMAGELENGTH, uint32_t(image.height()));
    TIFFSetField(tiff.get(), TIFFTAG_SAMPLESPERPIXEL, uint16_t(samples));
    TIFFSetField(tiff.get(), TIFFTAG_BITSPERSAMPLE, uint16_t(isGrey ? 16 : 8));
    TIFFSetField(tiff.get(), TIFFTAG_PHOTOMETRIC, isGrey ? PHOTOMETRIC_MINISBLACK : PHOTOMETRIC_RGB);
    TIFFSetField(tiff.get(), TIFFTAG_PLANARCONFIG, PLANARCONFIG_CONTIG);
    TIFFSetField(tiff.get(), TIFFTAG_ORIENTATION, ORIENTATION_TOPLEFT);
    TIFFSetField(tiff.get(), TIFFTAG_COMPRESSION, COMPRESSION_LZW);
    TIFFSetField(tiff.get(), TIFFTAG_PREDICTOR, PREDICTOR_HORIZONTAL);
    TIFFSetField(tiff.get(), TIFFTAG_ROWSPERSTRIP, TIFFDefaultStripSize(tiff.get(), 0));
    const std::size_t rowBytes = std::size_t(image.width()) * samples * (isGrey ? 2 : 1);
    std::vector<unsigned char> row(rowBytes);
    for (int y = 0; y < image.height(); ++y) {
        std::memcpy(row.data(), image.constScanLine(y), rowBytes);
        if (TIFFWriteScanline(tiff.get(), row.data(), uint32_t(y), 0) < 0)
            return std::nullopt;
    }
    if (!TIFFWriteDirectory(tiff.get()))
        return std::nullopt;
    tiff.reset();
    return file.bytes;
}

}  // namespace AllSkyTiffWriter
