#include "camera/movie/MovieReader.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

#include <memory>

namespace {

QImage decodeFirst(AVFormatContext* format, int stream, const AVCodecParameters* parameters)
{
    const AVCodec* decoder = avcodec_find_decoder(parameters->codec_id);
    if (!decoder)
        return {};
    AVCodecContext* context = avcodec_alloc_context3(decoder);
    avcodec_parameters_to_context(context, parameters);
    QImage image;
    if (avcodec_open2(context, decoder, nullptr) == 0) {
        AVPacket* packet = av_packet_alloc();
        AVFrame* frame = av_frame_alloc();
        bool done = false;
        while (!done && av_read_frame(format, packet) >= 0) {
            if (packet->stream_index == stream && avcodec_send_packet(context, packet) == 0
                && avcodec_receive_frame(context, frame) == 0)
                done = true;
            av_packet_unref(packet);
        }
        if (!done && avcodec_send_packet(context, nullptr) == 0 && avcodec_receive_frame(context, frame) == 0)
            done = true;
        if (done) {
            image = QImage(frame->width, frame->height, QImage::Format_RGB32);
            SwsContext* scale = sws_getContext(frame->width, frame->height, AVPixelFormat(frame->format),
                                               frame->width, frame->height, AV_PIX_FMT_BGRA, SWS_POINT,
                                               nullptr, nullptr, nullptr);
            uint8_t* planes[1] = {image.bits()};
            const int strides[1] = {int(image.bytesPerLine())};
            sws_scale(scale, frame->data, frame->linesize, 0, frame->height, planes, strides);
            sws_freeContext(scale);
        }
        av_frame_free(&frame);
        av_packet_free(&packet);
    }
    avcodec_free_context(&context);
    return image;
}

}  // namespace

MovieContents MovieContents::read(const QString& path)
{
    MovieContents contents;
    AVFormatContext* format = nullptr;
    if (avformat_open_input(&format, path.toUtf8().constData(), nullptr, nullptr) < 0)
        return contents;
    if (avformat_find_stream_info(format, nullptr) >= 0 && format->nb_streams == 1) {
        contents.opened = true;
        const AVStream* stream = format->streams[0];
        contents.container = QString::fromLatin1(format->iformat->name);
        const uint32_t tag = stream->codecpar->codec_tag;
        contents.tag = QString::fromLatin1(QByteArray(reinterpret_cast<const char*>(&tag), 4));
        contents.codec = QString::fromLatin1(avcodec_get_name(stream->codecpar->codec_id));
        contents.timeBase = stream->time_base.den / std::max(1, stream->time_base.num);
        // A frame lasts until the next one starts, as a player shows it; the
        // last until the track's end. (The demuxer leaves the packet's own
        // duration out for a movie of fragments.)
        std::vector<long long> starts;
        AVPacket* packet = av_packet_alloc();
        long long lastDuration = 0;
        while (av_read_frame(format, packet) >= 0) {
            starts.push_back(packet->dts);
            lastDuration = packet->duration;
            av_packet_unref(packet);
        }
        av_packet_free(&packet);
        for (std::size_t i = 0; i + 1 < starts.size(); ++i)
            contents.durations.push_back(starts[i + 1] - starts[i]);
        if (!starts.empty()) {
            const long long end = stream->duration > starts.back() && stream->duration != AV_NOPTS_VALUE
                                      ? stream->duration - starts.back()
                                      : lastDuration;
            contents.durations.push_back(end);
        }
        avformat_close_input(&format);
        // From the start again, for the first picture.
        if (avformat_open_input(&format, path.toUtf8().constData(), nullptr, nullptr) < 0)
            return contents;
        if (avformat_find_stream_info(format, nullptr) >= 0)
            contents.firstFrame = decodeFirst(format, 0, format->streams[0]->codecpar);
    }
    avformat_close_input(&format);
    return contents;
}
