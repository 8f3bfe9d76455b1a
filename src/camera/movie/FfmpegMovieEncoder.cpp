#include "camera/movie/FfmpegMovieEncoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/error.h>
#include <libavutil/imgutils.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

namespace {

constexpr int kIOBufferSize = 64 * 1024;
// A fragment per frame, written when the writer says, after an index that
// holds no frames: what is on the disk is a movie at every frame's end.
constexpr char kFragmentFlags[] = "frag_custom+empty_moov+default_base_moof";

int writePacket(void* opaque, uint8_t* data, int size)
{
    auto* file = static_cast<SafeWrite::NewFile*>(opaque);
    return file->write(QByteArrayView(reinterpret_cast<const char*>(data), size)) ? size : AVERROR(EIO);
}

int64_t seekFile(void* opaque, int64_t offset, int whence)
{
    auto* file = static_cast<SafeWrite::NewFile*>(opaque);
    if (whence & AVSEEK_SIZE)
        return file->size();
    if ((whence & ~AVSEEK_FORCE) != SEEK_SET)
        return AVERROR(EINVAL);
    return file->seek(offset) ? offset : AVERROR(EIO);
}

QString avError(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

uint32_t fourCC(const char* tag)
{
    return MKTAG(tag[0], tag[1], tag[2], tag[3]);
}

}  // namespace

FfmpegMovieEncoder::FfmpegMovieEncoder() : m_codec(MovieCodec::fallback())
{
    // Failures come back through error(); the libraries' chatter stays out of the program's output.
    av_log_set_level(AV_LOG_ERROR);
}

FfmpegMovieEncoder::~FfmpegMovieEncoder()
{
    if (m_isOpen)
        finish();
    release();
}

bool FfmpegMovieEncoder::fail(const QString& what, int code)
{
    // The system's own reason (a full disk) says more than the library's "I/O error".
    const QString reason = m_file && !m_file->error().isEmpty() ? m_file->error() : code ? avError(code) : QString();
    m_error = reason.isEmpty() ? what : QStringLiteral("%1: %2").arg(what, reason);
    m_failed = true;
    return false;
}

bool FfmpegMovieEncoder::create(const QString& path, const QString& codec, int quality)
{
    if (m_isOpen)
        finish();
    release();
    m_error.clear();
    m_failed = false;
    m_codecName = codec;
    m_quality = quality;
    m_file = std::make_unique<SafeWrite::NewFile>(path);
    if (!m_file->open()) {
        m_error = m_file->error();
        m_file.reset();
        return false;
    }
    m_isOpen = true;
    return true;
}

bool FfmpegMovieEncoder::start(const QImage& frame)
{
    int code = avformat_alloc_output_context2(&m_format, nullptr, "mov", nullptr);
    if (code < 0)
        return fail(QStringLiteral("No QuickTime writer"), code);
    auto* buffer = static_cast<unsigned char*>(av_malloc(kIOBufferSize));
    m_io = avio_alloc_context(buffer, kIOBufferSize, 1, m_file.get(), nullptr, writePacket, seekFile);
    if (!m_io) {
        av_free(buffer);
        return fail(QStringLiteral("Out of memory"));
    }
    m_io->seekable = AVIO_SEEKABLE_NORMAL;
    m_format->pb = m_io;
    m_format->flags |= AVFMT_FLAG_CUSTOM_IO;

    const MovieCodec wanted = MovieCodec::choose(m_codecName, frame.width(), frame.height());
    if (!openEncoder(wanted, frame.width(), frame.height())
        && !openEncoder(MovieCodec::fallback(), frame.width(), frame.height()))
        return false;
    m_error.clear();

    m_stream = avformat_new_stream(m_format, nullptr);
    if (!m_stream)
        return fail(QStringLiteral("Out of memory"));
    m_stream->time_base = {1, kTimeScale};
    code = avcodec_parameters_from_context(m_stream->codecpar, m_encoder);
    if (code < 0)
        return fail(QStringLiteral("Cannot describe the video track"), code);
    if (m_codec.containerCodecId != AV_CODEC_ID_NONE)
        m_stream->codecpar->codec_id = AVCodecID(m_codec.containerCodecId);
    m_stream->codecpar->codec_tag = fourCC(m_codec.tag);

    AVDictionary* options = nullptr;
    // Frame durations in 1/600 s exactly, not in a multiple of it.
    av_dict_set_int(&options, "video_track_timescale", kTimeScale, 0);
    av_dict_set(&options, "movflags", kFragmentFlags, 0);
    code = avformat_write_header(m_format, &options);
    av_dict_free(&options);
    if (code < 0)
        return fail(QStringLiteral("Cannot start the movie"), code);
    m_hasHeader = true;
    avio_flush(m_io);
    if (m_io->error < 0)
        return fail(QStringLiteral("Cannot start the movie"), m_io->error);

    m_frame = av_frame_alloc();
    m_packet = av_packet_alloc();
    if (!m_frame || !m_packet)
        return fail(QStringLiteral("Out of memory"));
    m_frame->format = m_encoder->pix_fmt;
    m_frame->width = m_encoder->width;
    m_frame->height = m_encoder->height;
    code = av_frame_get_buffer(m_frame, 0);
    if (code < 0)
        return fail(QStringLiteral("Out of memory"), code);
    return true;
}

bool FfmpegMovieEncoder::openEncoder(const MovieCodec& codec, int width, int height)
{
    avcodec_free_context(&m_encoder);
    const AVCodec* encoder = avcodec_find_encoder_by_name(codec.encoder);
    if (!encoder)
        return fail(QStringLiteral("No encoder %1").arg(QLatin1String(codec.encoder)));
    m_encoder = avcodec_alloc_context3(encoder);
    if (!m_encoder)
        return fail(QStringLiteral("Out of memory"));
    m_encoder->width = width;
    m_encoder->height = height;
    m_encoder->pix_fmt = AVPixelFormat(codec.pixelFormat);
    // Some encoders write by the tag (raw "yuv2" has signed colour differences).
    m_encoder->codec_tag = fourCC(codec.tag);
    m_encoder->time_base = {1, kTimeScale};
    m_encoder->framerate = {0, 1};
    // One packet per frame, in order: each keeps its own duration.
    m_encoder->max_b_frames = 0;
    m_encoder->thread_count = 1;
    if (m_format->oformat->flags & AVFMT_GLOBALHEADER)
        m_encoder->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    const MovieCodec::Setting setting = MovieCodec::setting(codec.control, m_quality);
    if (setting.qscale > 0) {
        m_encoder->flags |= AV_CODEC_FLAG_QSCALE;
        m_encoder->global_quality = setting.qscale * FF_QP2LAMBDA;
        m_encoder->qmin = setting.qscale;
    }
    AVDictionary* options = nullptr;
    if (codec.control == MovieCodec::Control::Crf) {
        if (setting.lossless)
            av_dict_set(&options, "qp", "0", 0);
        else
            av_dict_set_int(&options, "crf", setting.crf, 0);
        av_dict_set(&options, "preset", "veryfast", 0);
        // Each frame leaves the encoder with its packet: a movie cut short loses none held back.
        av_dict_set(&options, "tune", "zerolatency", 0);
    }
    if (codec.control == MovieCodec::Control::Wavelet && setting.lossless)
        av_dict_set(&options, "pred", "dwt53", 0);
    const int code = avcodec_open2(m_encoder, encoder, &options);
    av_dict_free(&options);
    if (code < 0) {
        avcodec_free_context(&m_encoder);
        return fail(QStringLiteral("The %1 encoder refuses %2 x %3")
                        .arg(QLatin1String(codec.encoder)).arg(width).arg(height), code);
    }
    m_codec = codec;
    m_failed = false;
    return true;
}

bool FfmpegMovieEncoder::addFrame(const QImage& image, int duration)
{
    if (!m_isOpen || m_failed)
        return false;
    if (image.isNull() || duration <= 0)
        return fail(QStringLiteral("No frame to add"));
    if (!m_hasHeader && !start(image))
        return false;
    // Frames of another size than the first are scaled to it.
    const QImage source = image.format() == QImage::Format_RGB32 || image.format() == QImage::Format_ARGB32
                              ? image
                              : image.convertToFormat(QImage::Format_RGB32);
    m_scale = sws_getCachedContext(m_scale, source.width(), source.height(), AV_PIX_FMT_BGRA, m_encoder->width,
                                   m_encoder->height, m_encoder->pix_fmt, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (!m_scale)
        return fail(QStringLiteral("Cannot convert the frame"));
    int code = av_frame_make_writable(m_frame);
    if (code < 0)
        return fail(QStringLiteral("Out of memory"), code);
    const uint8_t* planes[1] = {source.constBits()};
    const int strides[1] = {int(source.bytesPerLine())};
    sws_scale(m_scale, planes, strides, 0, source.height(), m_frame->data, m_frame->linesize);
    m_frame->pts = m_nextPts;
    m_frame->quality = m_encoder->global_quality;
    m_durations[m_nextPts] = duration;
    m_nextPts += duration;
    if (!encode(m_frame))
        return false;
    ++m_frameCount;
    return flushFragment();
}

bool FfmpegMovieEncoder::flushFragment()
{
    if (m_pendingPackets == 0)
        return true;
    // A null packet asks the muxer to write out the fragment it holds.
    const int code = av_write_frame(m_format, nullptr);
    if (code < 0)
        return fail(QStringLiteral("Cannot write the frame"), code);
    avio_flush(m_io);
    if (m_io->error < 0)
        return fail(QStringLiteral("Cannot write the frame"), m_io->error);
    m_file->markComplete();
    m_writtenFrames += m_pendingPackets;
    m_pendingPackets = 0;
    return true;
}

bool FfmpegMovieEncoder::encode(AVFrame* frame)
{
    int code = avcodec_send_frame(m_encoder, frame);
    if (code < 0)
        return fail(QStringLiteral("Cannot encode the frame"), code);
    while (true) {
        code = avcodec_receive_packet(m_encoder, m_packet);
        if (code == AVERROR(EAGAIN) || code == AVERROR_EOF)
            return true;
        if (code < 0)
            return fail(QStringLiteral("Cannot encode the frame"), code);
        const auto found = m_durations.find(m_packet->pts);
        if (found != m_durations.end()) {
            m_packet->duration = found->second;
            m_durations.erase(found);
        }
        av_packet_rescale_ts(m_packet, m_encoder->time_base, m_stream->time_base);
        m_packet->stream_index = m_stream->index;
        code = av_interleaved_write_frame(m_format, m_packet);
        if (code < 0)
            return fail(QStringLiteral("Cannot write the frame"), code);
        ++m_pendingPackets;
    }
}

bool FfmpegMovieEncoder::finish()
{
    if (!m_isOpen)
        return false;
    m_isOpen = false;
    bool done = false;
    if (m_hasHeader && !m_failed && m_frameCount > 0 && encode(nullptr) && flushFragment()) {
        const int code = av_write_trailer(m_format);
        avio_flush(m_io);
        if (code < 0 || m_io->error < 0)
            fail(QStringLiteral("Cannot finish the movie"), code < 0 ? code : m_io->error);
        else
            done = m_file->close() || fail(QStringLiteral("Cannot finish the movie"));
    } else if (m_frameCount == 0 && !m_failed) {
        m_error = QStringLiteral("No frames were recorded");
    }
    // A movie that holds no frame is no movie; one cut short keeps its whole frames.
    if (m_writtenFrames == 0)
        m_file->remove();
    else if (!done)
        m_file->close();
    release();
    return done;
}

void FfmpegMovieEncoder::release()
{
    sws_freeContext(m_scale);
    m_scale = nullptr;
    av_frame_free(&m_frame);
    av_packet_free(&m_packet);
    avcodec_free_context(&m_encoder);
    if (m_io) {
        av_freep(&m_io->buffer);
        avio_context_free(&m_io);
    }
    if (m_format) {
        m_format->pb = nullptr;
        avformat_free_context(m_format);
        m_format = nullptr;
    }
    m_stream = nullptr;
    m_durations.clear();
    m_nextPts = 0;
    m_frameCount = 0;
    m_writtenFrames = 0;
    m_pendingPackets = 0;
    m_hasHeader = false;
    m_file.reset();
}
