#pragma once

#include "camera/movie/MovieCodec.h"

#include <QImage>
#include <QString>

#include <map>
#include <memory>

class SafeWrite;
struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct AVStream;
struct SwsContext;

// Writes a QuickTime movie (".mov") with FFmpeg's libraries: frames appended
// one after another, each lasting its own number of 1/600 s. The movie is
// written beside its place and takes it only when finished with a complete
// index, so a failed or abandoned movie never leaves a broken file. Every
// movie of the program goes through here. Not thread-safe: one thread at a
// time uses a writer (a recording hands it from job to job).
class MovieWriter {
public:
    // Units per second of the frame durations.
    static constexpr int kTimeScale = 600;

    MovieWriter();
    // Finishes a movie still open.
    ~MovieWriter();
    MovieWriter(const MovieWriter&) = delete;
    MovieWriter& operator=(const MovieWriter&) = delete;

    // Starts a movie at `path` with the codec name and quality of the movie
    // settings; false, with error(), when the file cannot be made. The
    // encoder is chosen with the first frame, when the size is known.
    bool create(const QString& path, const QString& codec, int quality);
    // Appends one frame lasting `duration` / 600 s; false, with error(),
    // when it cannot be encoded or written (the movie then stays unfinished
    // and finish() drops it).
    bool addFrame(const QImage& frame, int duration);
    // Writes the index and puts the movie in its place; a movie without
    // frames is dropped. False, with error(), when that fails.
    bool finish();

    bool isOpen() const { return m_isOpen; }
    int frameCount() const { return m_frameCount; }
    QString error() const { return m_error; }
    // The codec the frames went out with (after any substitution).
    const MovieCodec& codec() const { return m_codec; }

private:
    bool start(const QImage& frame);
    bool openEncoder(const MovieCodec& codec, int width, int height);
    bool encode(AVFrame* frame);
    bool fail(const QString& what, int code = 0);
    void release();

    std::unique_ptr<SafeWrite> m_file;
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
    bool m_isOpen = false;
    bool m_hasHeader = false;
    bool m_failed = false;
    QString m_error;
};
