#pragma once

#include "camera/movie/MovieCodec.h"

#include <QImage>
#include <QString>

// Writes a QuickTime movie (".mov"): frames appended one after another, each
// lasting its own number of 1/600 s. A movie is a new file under its own
// name, written there from the first frame, so a movie cut short (a full
// disk, a crash, a power cut) stays readable up to its last whole frame.
// Not thread-safe: one thread at a time uses a writer (a recording hands it
// from job to job).
class MovieEncoder {
public:
    // Units per second of the frame durations.
    static constexpr int kTimeScale = 600;

    virtual ~MovieEncoder() = default;

    // Starts a new movie file at `path` (never over a file there) with the
    // codec name and quality of the movie settings; false, with error(),
    // when the file cannot be made. The encoder is chosen with the first
    // frame, when the size is known.
    virtual bool create(const QString& path, const QString& codec, int quality) = 0;
    // Appends one frame lasting `duration` / 600 s; false, with error(),
    // when it cannot be encoded or written. The movie then takes no more
    // frames and keeps those written before.
    virtual bool addFrame(const QImage& frame, int duration) = 0;
    // Writes the frames still in the encoder and the closing index, and
    // waits until the disk holds the movie; a movie without frames is
    // removed. False, with error(), when that fails (or a frame failed):
    // the file then keeps the frames written before.
    virtual bool finish() = 0;

    virtual bool isOpen() const = 0;
    virtual int frameCount() const = 0;
    // Frames wholly in the file.
    virtual int writtenFrames() const = 0;
    virtual QString error() const = 0;
    // The codec the frames went out with (after any substitution).
    virtual const MovieCodec& codec() const = 0;
};
