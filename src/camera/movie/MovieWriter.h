#pragma once

#include "camera/movie/MovieCodec.h"
#include "platform/SafeWrite.h"

#include <QImage>
#include <QString>

#include <map>
#include <memory>

struct AVCodecContext;
struct AVFormatContext;
struct AVFrame;
struct AVIOContext;
struct AVPacket;
struct AVStream;
struct SwsContext;

// Writes a QuickTime movie (".mov") with FFmpeg's libraries: frames appended
// one after another, each lasting its own number of 1/600 s. A movie is a new
// file under its own name, written there from the first frame as a
// fragmented movie: each frame goes out as a fragment of its own with its
// index, so a movie cut short (a full disk, a crash, a power cut) stays
// readable up to its last whole frame. Every movie of the program goes
// through here. Not thread-safe: one thread at a time uses a writer (a
// recording hands it from job to job).
class MovieWriter {
public:
    // Units per second of the frame durations.
    static constexpr int kTimeScale = 600;

    MovieWriter();
    // Finishes a movie still open.
    ~MovieWriter();
    MovieWriter(const MovieWriter&) = delete;
    MovieWriter& operator=(const MovieWriter&) = delete;

    // Starts a new movie file at `path` (never over a file there) with the
    // codec name and quality of the movie settings; false, with error(),
    // when the file cannot be made. The encoder is chosen with the first
    // frame, when the size is known.
    bool create(const QString& path, const QString& codec, int quality);
    // Appends one frame lasting `duration` / 600 s; false, with error(),
    // when it cannot be encoded or written. The movie then takes no more
    // frames and keeps those written before.
    bool addFrame(const QImage& frame, int duration);
    // Writes the frames still in the encoder and the closing index, and
    // waits until the disk holds the movie; a movie without frames is
    // removed. False, with error(), when that fails (or a frame failed):
    // the file then keeps the frames written before.
    bool finish();

    bool isOpen() const { return m_isOpen; }
    int frameCount() const { return m_frameCount; }
    // Frames wholly in the file.
    int writtenFrames() const { return m_writtenFrames; }
    QString error() const { return m_error; }
    // The codec the frames went out with (after any substitution).
    const MovieCodec& codec() const { return m_codec; }

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
