#include "camera/allsky/AllSkyFitsWriter.h"

#include "camera/allsky/AllSkyFrame.h"

#include <QTimeZone>

#include <fitsio.h>

#include <cstdlib>
#include <memory>

namespace {

// cfitsio grows the memory file with realloc() and leaves it to the caller.
struct FreeBuffer {
    void operator()(void* buffer) const { std::free(buffer); }
};

constexpr std::size_t kBlock = 2880;

}  // namespace

QByteArray AllSkyFitsWriter::oneCardValue(const QString& text)
{
    QByteArray value;
    int quoted = 0;
    for (const QChar c : text) {
        const char ascii = c.unicode() >= 0x20 && c.unicode() < 0x7F ? char(c.unicode()) : '?';
        const int width = ascii == '\'' ? 2 : 1;
        if (quoted + width > kMaxValueLength)
            break;
        quoted += width;
        value.append(ascii);
    }
    return value;
}

QString AllSkyFitsWriter::modeName(quint8 mode)
{
    switch (mode) {
    case AllSkyFrame::kFullMode: return QStringLiteral("1X1");
    case AllSkyFrame::kCropMode: return QStringLiteral("Crop");
    case AllSkyFrame::kBinnedMode: return QStringLiteral("2X2");
    default: return {};
    }
}

QString AllSkyFitsWriter::typeName(quint8 type)
{
    switch (type) {
    case AllSkyFrame::kDarkType: return QStringLiteral("Dark");
    case AllSkyFrame::kAutoType: return QStringLiteral("Auto");
    default: return QStringLiteral("Light");
    }
}

std::optional<QByteArray> AllSkyFitsWriter::encode(const AllSkyFrame& frame, const AllSkyFitsFile::Names& names)
{
    const QString mode = modeName(frame.readOutMode);
    if (mode.isEmpty() || !frame.isComplete())
        return std::nullopt;

    std::size_t size = kBlock;
    void* memory = std::malloc(size);
    if (memory == nullptr)
        return std::nullopt;
    int status = 0;
    fitsfile* file = nullptr;
    fits_create_memfile(&file, &memory, &size, kBlock, std::realloc, &status);
    std::unique_ptr<void, FreeBuffer> owned(memory);
    if (status != 0)
        return std::nullopt;

    long axes[2] = {frame.width, frame.height};
    fits_create_img(file, USHORT_IMG, 2, axes, &status);
    const auto putString = [&](const char* key, const QString& text) {
        QByteArray value = oneCardValue(text);
        fits_write_key_str(file, key, value.data(), nullptr, &status);
    };
    putString("CCDFNAME", names.ccdFileName);
    putString("PROGRAM", names.program);
    putString("DATE-OBS", frame.startUtc.toTimeZone(QTimeZone::utc()).toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss.zzz")));
    putString("INSTRUME", names.instrument);
    fits_write_key_fixdbl(file, "EXPTIME", frame.exposureSeconds, 2, nullptr, &status);
    putString("IMAGETYP", typeName(frame.imageType));
    putString("IMAGEBIN", mode);
    if (frame.isDarkSubtracted) {
        char history[] = "Dark Subtracted";
        fits_write_history(file, history, &status);
    }
    // cfitsio reads the pixels only; its interface is not const-correct.
    auto* pixels = const_cast<quint16*>(frame.pixels.data());
    fits_write_img(file, TUSHORT, 1, LONGLONG(frame.pixels.size()), pixels, &status);
    int closeStatus = 0;
    fits_close_file(file, &closeStatus);
    // The memory file may have moved while it grew.
    owned.release();
    owned.reset(memory);
    if (status != 0 || closeStatus != 0)
        return std::nullopt;
    return QByteArray(static_cast<const char*>(memory), qsizetype(size));
}
