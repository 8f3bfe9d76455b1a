#pragma once

#include "camera/movie/MovieWriter.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <mutex>
#include <thread>

// A movie recorded from frames shown on the main thread. Each frame is
// encoded by one job on a thread of its own, one job at a time: a frame
// offered while a job runs is refused, so the display never waits for the
// encoder. The job owns its copy of the frame and touches only the writer,
// under a lock; its result comes back to the main thread as frameWritten().
// The movie is finished by a last job too, as writing its end and waiting
// for the disk can take long; movieFinished() tells the result.
class MovieJob final : public QObject {
    Q_OBJECT
public:
    // Numbers tried after the plain name before a folder counts as full.
    static constexpr int kMaxNumbered = 65535;

    explicit MovieJob(QObject* parent = nullptr);
    // Waits for a job in flight and finishes the movie.
    ~MovieJob() override;

    // The alert of a movie that stopped short or could not be finished.
    static constexpr char kWriteError[] = "Recording error";

    // The first free path of base + ".mov", else base + "-N.mov" with N
    // from 1 up to 65535 written with at least `digits` digits, the first
    // gap taken; empty when every one is taken.
    static QString freeMoviePath(const QString& base, int digits);
    // The duration in 1/600 s of a frame shown at `frequency` frames per
    // second: 600 div the rounded rate, a rate below 0.5 counted as 1, and
    // never less than 1.
    static int frameDuration(float frequency);

    // The alert's text for a movie at `path` that failed for `reason`.
    static QString writeErrorMessage(const QString& path, const QString& reason);

    // Starts a movie at `path` (waiting for the jobs of the last one, whose
    // end is told first); false, with error(), when it cannot be made.
    bool create(const QString& path, const QString& codec, int quality);
    // Hands a frame lasting `duration` / 600 s to a new job; false, and the
    // frame not taken, while a job is in flight or no movie is open.
    // frameWritten(false) means the movie failed and takes no more frames.
    bool offerFrame(const QImage& frame, int duration);
    // Finishes the movie in a job after the one in flight; false when no
    // movie was open. Results of earlier frame jobs are dropped; the
    // finishing job's comes as movieFinished().
    bool finish();
    // Blocks until the job in flight (if any) has ended.
    void waitForFrame();

    bool isOpen() const { return m_isOpen; }
    bool isFrameRec() const { return m_isFrameRec; }
    QString error() const;

signals:
    // A job of the open movie ended: the frame was written (or not).
    void frameWritten(bool written);
    // The movie that finish() ended is complete (or not, error() says why).
    void movieFinished(bool done);
    // Posted by a job to the main thread; `recording` tells a job of a
    // finished movie apart. Internal: connect to frameWritten() instead.
    void jobEnded(quint64 recording, bool written);
    // Posted by the finishing job. Internal: connect to movieFinished().
    void finishEnded(quint64 recording);

private:
    void jobDone(quint64 recording, bool written);
    void finishDone(quint64 recording);
    // Tells the end of a finished movie not told yet.
    void tellFinished();

    // The writer and the frame handed to the job are the job's while it runs.
    mutable std::mutex m_writerLock;
    MovieWriter m_writer;
    QImage m_jobFrame;
    int m_jobDuration = 0;
    std::thread m_job;
    bool m_isOpen = false;
    bool m_isFrameRec = true;
    quint64 m_recording = 0;
    // A finishing job ran and its result is not told yet.
    bool m_isFinishing = false;
    bool m_finishResult = false;
};
