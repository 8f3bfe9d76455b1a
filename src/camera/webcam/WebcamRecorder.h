#pragma once

#include "camera/movie/MovieJob.h"
#include "mount/DebugWriter.h"

#include <QImage>
#include <QObject>
#include <QString>

#include <optional>

class WebcamView;

// Records the webcam's processed frames into a movie, one encoding job at a
// time (MovieJob): frames shown while a job runs are not recorded, so the
// frame durations follow the shown rate. The count, the progress and the
// stop at the frame limit stay on the main thread. A frame that cannot be
// written (a full disk) stops the recording with an alert; the movie keeps
// the frames before it.
class WebcamRecorder final : public QObject {
    Q_OBJECT
public:
    static constexpr char kDefaultName[] = "WebcamMovie";
    static constexpr char kStartError[] = "Start Recording error";
    static constexpr char kCreateError[] = "Unable to create movie.";

    explicit WebcamRecorder(DebugWriter debug, QObject* parent = nullptr);

    void setView(WebcamView* view) { m_view = view; }

    // The movie folder (ending in "/") and the default name, as at a connect.
    void resetMovieName(const QString& directory);
    // The first free name of the folder: name.mov, else name-1.mov,
    // name-2.mov ..., the first gap taken; empty when every one is taken.
    static QString freeMoviePath(const QString& directory, const QString& name);

    // Starts a movie; false, after the alert, when it cannot be made.
    bool startRecording(quint32 maxFrames);
    // Ends the recording: the movie is finished off the main thread and the
    // controls return to idle when it is (with an alert when it could not
    // be completed). False when nothing was recording.
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

    bool isRecording() const { return m_isRecording; }
    // A stopped movie is still being finished.
    bool isFinishing() const { return m_isFinishing; }
    bool isFrameRec() const { return m_movie.isFrameRec(); }
    bool isPause() const { return m_isPause; }
    quint32 frameCount() const { return m_frameCount; }
    quint32 maxFrames() const { return m_maxFrames; }
    QString moviePath() const { return m_moviePath; }
    QString movieName() const { return m_movieName; }
    QString movieDirectory() const { return m_movieDirectory; }
    QString codecStr() const { return m_codecStr; }
    int quality() const { return m_quality; }
    // Blocks until the job in flight (if any) has ended.
    void waitForFrame() { m_movie.waitForFrame(); }

private:
    void frameDone(bool written);
    void movieDone(bool done);
    void showProgress();

    DebugWriter m_debug;
    WebcamView* m_view = nullptr;
    MovieJob m_movie;
    QString m_movieDirectory;
    QString m_movieName = QString::fromLatin1(kDefaultName);
    QString m_moviePath;
    QString m_finishingPath;
    QString m_codecStr = QStringLiteral("jpeg");
    int m_quality = 1024;
    quint32 m_maxFrames = 0;
    quint32 m_frameCount = 0;
    bool m_isRecording = false;
    bool m_isFinishing = false;
    // The movie ended at a frame that could not be written.
    bool m_frameFailed = false;
    bool m_isPause = false;
};
