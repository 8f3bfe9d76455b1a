#pragma once

#include "camera/movie/MovieEncoder.h"
#include "platform/SafeWrite.h"

#include <map>
#include <memory>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct AVStream;
struct SwsContext;

// The movies written with FFmpeg's libraries: the movie module's code
// (MovieModule), which the program reaches through MovieWriter. A movie is
// written from the first frame as a fragmented movie: each frame goes out as
// a fragment of its own with its index.
class FfmpegMovieEncoder final : public MovieEncoder {
public:
    FfmpegMovieEncoder();
    // Finishes a movie still open and lets FFmpeg's state go.
    ~FfmpegMovieEncoder() override;
    FfmpegMovieEncoder(const FfmpegMovieEncoder&) = delete;
    FfmpegMovieEncoder& operator=(const FfmpegMovieEncoder&) = delete;

    bool create(const QString& path, const QString& codec, int quality) override;
    bool addFrame(const QImage& frame, int duration) override;
    bool finish() override;

    bool isOpen() const override { return m_isOpen; }
    int frameCount() const override { return m_frameCount; }
    int writtenFrames() const override { return m_writtenFrames; }
    QString error() const override { return m_error; }
    const MovieCodec& codec() const override { return m_codec; }

private:
    bool start(const QImage& frame);
    bool openEncoder(const MovieCodec& codec, int width, int height);
    bool encode(AVFrame* frame);
    // Puts the packets written so far out as a whole fragment.
    bool flushFragment();
    bool fail(const QString& what, int code = 0);
    void release();

    std::unique_ptr<SafeWrite::NewFile> m_file;
    QString m_codecName;
    int m_quality = 1024;
    MovieCodec m_codec;
    AVFormatContext* m_format = nullptr;
    AVIOContext* m_io = nullptr;
    AVStream* m_stream = nullptr;
    AVCodecContext* m_encoder = nullptr;
    AVFrame* m_frame = nullptr;
    AVPacket* m_packet = nullptr;
    SwsContext* m_scale = nullptr;
    // Durations of the frames still inside the encoder, by time stamp.
    std::map<long long, int> m_durations;
    long long m_nextPts = 0;
    int m_frameCount = 0;
    int m_writtenFrames = 0;
    int m_pendingPackets = 0;
    bool m_isOpen = false;
    bool m_hasHeader = false;
    bool m_failed = false;
    QString m_error;
};
