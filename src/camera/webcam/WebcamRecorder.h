#pragma once

#include "camera/movie/MovieWriter.h"
#include "mount/DebugWriter.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <mutex>
#include <optional>
#include <thread>

class WebcamView;

// Records the webcam's processed frames into a movie. Each frame is encoded
// by one job on a thread of its own, one job at a time: frames shown while a
// job runs are not recorded, so the frame durations follow the shown rate.
// The job owns its copy of the frame and touches only the writer, under a
// lock; the count, the progress and the stop at the frame limit come back to
// the main thread, where every other field lives.
class WebcamRecorder final : public QObject {
    Q_OBJECT
public:
    static constexpr char kDefaultName[] = "WebcamMovie";
    // Names tried after the plain one before the folder counts as full.
    static constexpr int kMaxNumbered = 65535;
    static constexpr char kStartError[] = "Start Recording error";
    static constexpr char kCreateError[] = "Unable to create movie.";

    explicit WebcamRecorder(DebugWriter debug, QObject* parent = nullptr);
    // Waits for a job in flight and finishes the movie.
    ~WebcamRecorder() override;

    void setView(WebcamView* view) { m_view = view; }

    // The movie folder (ending in "/") and the default name, as at a connect.
    void resetMovieName(const QString& directory);
    // The first free name of the folder: name.mov, else name-1.mov,
    // name-2.mov ..., the first gap taken; empty when every one is taken.
    static QString freeMoviePath(const QString& directory, const QString& name);

    // Starts a movie; false, after the alert, when it cannot be made.
    bool startRecording(quint32 maxFrames);
    // Waits for a frame in flight, writes the movie's index and returns the
    // controls to idle. False when the movie could not be completed.
    bool stopRecording();
    // The movie-name dialog opens (no frames are written meanwhile) and
    // closes, with the chosen path (without extension) or none.
    void beginMovieName() { m_isPause = true; }
    void endMovieName(const std::optional<QString>& chosen);
    void setMaxFrames(quint32 maxFrames);

    // Hands a shown frame to a new job, when recording and no job is in
    // flight (and the name dialog is closed). `frequency` is the shown rate.
    void recordFrame(const QImage& frame, float frequency);

    // Codec and quality pop-up items, by tag.
    void setCodecTag(int tag);
    void setQualityTag(int tag);

    // The duration in 1/600 s of a frame shown at `frequency` frames per
    // second: 600 div the rounded rate, a rate below 0.5 counted as 1, and
    // never less than 1.
    static int frameDuration(float frequency);

    bool isRecording() const { return m_isRecording; }
    bool isFrameRec() const { return m_isFrameRec; }
    bool isPause() const { return m_isPause; }
    quint32 frameCount() const { return m_frameCount; }
    quint32 maxFrames() const { return m_maxFrames; }
    QString moviePath() const { return m_moviePath; }
    QString movieName() const { return m_movieName; }
    QString movieDirectory() const { return m_movieDirectory; }
    QString codecStr() const { return m_codecStr; }
    int quality() const { return m_quality; }
    // Blocks until the job in flight (if any) has ended.
    void waitForFrame();

signals:
    // A job ended: the frame was written (or not). Queued to the main thread.
    void frameWritten(quint64 recording, bool written);

private:
    void frameDone(quint64 recording, bool written);
    void showProgress();

    DebugWriter m_debug;
    WebcamView* m_view = nullptr;
    // The writer and the frame handed to the job are the job's while it runs.
    std::mutex m_writerLock;
    MovieWriter m_writer;
    QImage m_jobFrame;
    int m_jobDuration = 0;
    std::thread m_job;
    QString m_movieDirectory;
    QString m_movieName = QString::fromLatin1(kDefaultName);
    QString m_moviePath;
    QString m_codecStr = QStringLiteral("jpeg");
    int m_quality = 1024;
    quint32 m_maxFrames = 0;
    quint32 m_frameCount = 0;
    bool m_isRecording = false;
    bool m_isFrameRec = true;
    bool m_isPause = false;
    // Which recording a finished job belongs to: one from before a stop is ignored.
    quint64 m_recording = 0;
};
