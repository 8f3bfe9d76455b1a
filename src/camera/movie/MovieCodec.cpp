#include "camera/movie/MovieCodec.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/pixfmt.h>
}

#include <array>

namespace {

using Control = MovieCodec::Control;

// The H.263 encoder takes only the CIF family of picture sizes.
bool isCifSize(int width, int height)
{
    constexpr std::array<std::pair<int, int>, 5> kSizes{
        {{128, 96}, {176, 144}, {352, 288}, {704, 576}, {1408, 1152}}};
    for (const auto& [w, h] : kSizes)
        if (w == width && h == height)
            return true;
    return false;
}

MovieCodec make(const char* name, const char* encoder, const char* tag, AVPixelFormat format, Control control,
                AVCodecID containerId = AV_CODEC_ID_NONE)
{
    return {QString::fromLatin1(name), encoder, tag, format, control, containerId};
}

// One row per quality of the scale, best first.
struct QualityRow {
    int quality;
    int qscale;
    int crf;
};
constexpr std::array<QualityRow, 5> kQualities{{
    {1024, 1, 0},   // lossless where the codec has it, else its best
    {1023, 2, 12},  // maximum
    {768, 4, 18},   // high
    {512, 8, 23},   // normal
    {256, 16, 30},  // low
}};

}  // namespace

MovieCodec MovieCodec::choose(const QString& name, int width, int height)
{
    if (name == QLatin1String("raw "))
        return make("raw ", "rawvideo", "raw ", AV_PIX_FMT_RGB24, Control::None);
    if (name == QLatin1String("yuv2"))
        return make("yuv2", "rawvideo", "yuv2", AV_PIX_FMT_YUYV422, Control::None);
    if (name == QLatin1String("tiff"))
        return make("tiff", "tiff", "tiff", AV_PIX_FMT_RGB24, Control::None);
    if (name == QLatin1String("mjp2"))
        return make("mjp2", "jpeg2000", "mjp2", AV_PIX_FMT_RGB24, Control::Wavelet);
    if (name == QLatin1String("rpza"))
        return make("rpza", "rpza", "rpza", AV_PIX_FMT_RGB555LE, Control::None);
    if (name == QLatin1String("h263")) {
        if (isCifSize(width, height))
            return make("h263", "h263", "h263", AV_PIX_FMT_YUV420P, Control::QScale);
        // H.263+ takes any size and is read by H.263 decoders.
        return make("h263", "h263p", "h263", AV_PIX_FMT_YUV420P, Control::QScale, AV_CODEC_ID_H263);
    }
    if (name == QLatin1String("SVQ3"))
        return make("SVQ3", "svq1", "SVQ1", AV_PIX_FMT_YUV410P, Control::QScale);
    if (name == QLatin1String("mjpa"))
        return make("mjpa", "mjpeg", "mjpa", AV_PIX_FMT_YUVJ420P, Control::QScale);
    if (name == QLatin1String("avc1"))
        return make("avc1", "libx264", "avc1", AV_PIX_FMT_YUV420P, Control::Crf);
    return fallback();
}

MovieCodec MovieCodec::fallback()
{
    return make("jpeg", "mjpeg", "jpeg", AV_PIX_FMT_YUVJ420P, Control::QScale);
}

MovieCodec::Setting MovieCodec::setting(Control control, int quality)
{
    // Unknown qualities are lossless, like the first row.
    QualityRow row = kQualities.front();
    for (const QualityRow& r : kQualities)
        if (r.quality == quality)
            row = r;
    const bool lossless = row.quality == kQualities.front().quality;
    switch (control) {
    case Control::None: return {};
    case Control::QScale: return {row.qscale, -1, false};
    case Control::Crf: return {0, row.crf, lossless};
    case Control::Wavelet: return {lossless ? 0 : row.qscale, -1, lossless};
    }
    return {};
}
