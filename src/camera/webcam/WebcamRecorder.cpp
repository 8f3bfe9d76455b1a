#include "camera/webcam/WebcamRecorder.h"

#include "camera/webcam/WebcamView.h"
#include "platform/AlertPanel.h"

#include <QDir>
#include <QFileInfo>

WebcamRecorder::WebcamRecorder(DebugWriter debug, QObject* parent) : QObject(parent), m_debug(std::move(debug))
{
    connect(&m_movie, &MovieJob::frameWritten, this, &WebcamRecorder::frameDone);
    connect(&m_movie, &MovieJob::movieFinished, this, &WebcamRecorder::movieDone);
}

void WebcamRecorder::resetMovieName(const QString& directory)
{
    m_movieDirectory = directory.endsWith(u'/') ? directory : directory + u'/';
    m_movieName = QString::fromLatin1(kDefaultName);
    m_moviePath = m_movieDirectory + m_movieName + QStringLiteral(".mov");
}

QString WebcamRecorder::freeMoviePath(const QString& directory, const QString& name)
{
    return MovieJob::freeMoviePath(directory + name, 1);
}

bool WebcamRecorder::startRecording(quint32 maxFrames)
{
    if (m_isRecording)
        return false;
    const QString name = m_movieName.isEmpty() ? QString::fromLatin1(kDefaultName) : m_movieName;
    if (m_moviePath.isEmpty())
        m_moviePath = m_movieDirectory + name + QStringLiteral(".mov");
    // The default folder may not exist yet.
    QDir().mkpath(QFileInfo(m_moviePath).path());
    // A movie already there is never overwritten.
    if (QFileInfo::exists(m_moviePath))
        m_moviePath = freeMoviePath(m_movieDirectory, name);
    if (m_moviePath.isEmpty() || !m_movie.create(m_moviePath, m_codecStr, m_quality)) {
        m_debug([&] { return QStringLiteral("Start Recording error: %1").arg(m_movie.error()); });
        AlertPanel::runAlert(QString::fromLatin1(kStartError), QString::fromLatin1(kCreateError));
        return false;
    }
    m_maxFrames = maxFrames;
    m_isRecording = true;
    m_frameCount = 0;
    m_debug([&] { return QStringLiteral("Start Recoding maxFrames: %1").arg(m_maxFrames); });
    if (m_view) {
        m_view->setRecordingControls(true);
        m_view->setFrameCount(0);
        showProgress();
    }
    return true;
}

bool WebcamRecorder::stopRecording()
{
    if (!m_isRecording)
        return false;
    m_isRecording = false;
    m_isPause = false;
    m_finishingPath = m_moviePath;
    m_isFinishing = m_movie.finish();
    if (m_view) {
        m_view->setProgress(false, 0);
        // Nothing to finish: no result will come to return the controls.
        if (!m_isFinishing)
            m_view->setRecordingControls(false);
    }
    return true;
}

void WebcamRecorder::movieDone(bool done)
{
    m_isFinishing = false;
    const QString error = m_movie.error();
    m_debug([&] {
        return done ? QStringLiteral("Stop Recoding didUpate")
                    : QStringLiteral("Stop Recoding didUpate failed: %1").arg(error);
    });
    if (m_view && !m_isRecording)
        m_view->setRecordingControls(false);
    // Stopped before any frame came, there was no movie to lose.
    if (!done && (m_frameCount > 0 || m_frameFailed))
        AlertPanel::runAlert(QString::fromLatin1(MovieJob::kWriteError),
                             MovieJob::writeErrorMessage(m_finishingPath, error));
    m_frameFailed = false;
}

void WebcamRecorder::endMovieName(const std::optional<QString>& chosen)
{
    if (chosen && !chosen->isEmpty()) {
        QString path = *chosen;
        if (path.endsWith(QLatin1String(".mov"), Qt::CaseInsensitive))
            path.chop(4);
        const QFileInfo info(path);
        m_movieName = info.fileName();
        m_movieDirectory = info.path() + u'/';
        m_moviePath = path + QStringLiteral(".mov");
        if (m_view)
            m_view->setMovieNameTitle(m_movieName);
    }
    m_isPause = false;
}

void WebcamRecorder::setMaxFrames(quint32 maxFrames)
{
    m_maxFrames = maxFrames;
    if (m_view && m_isRecording)
        showProgress();
}

void WebcamRecorder::showProgress()
{
    if (m_maxFrames == 0)
        m_view->setProgress(true, 0);
    else
        m_view->setProgress(false, 100.0 * m_frameCount / m_maxFrames);
}

void WebcamRecorder::recordFrame(const QImage& frame, float frequency)
{
    if (!m_isRecording || m_isPause)
        return;
    m_movie.offerFrame(frame, MovieJob::frameDuration(frequency));
}

void WebcamRecorder::frameDone(bool written)
{
    if (!m_isRecording)
        return;
    if (!written) {
        // The movie takes no more frames: it ends here, with those it has.
        m_debug([&] { return QStringLiteral("Movie frame failed: %1").arg(m_movie.error()); });
        m_frameFailed = true;
        stopRecording();
        return;
    }
    ++m_frameCount;
    if (m_view)
        m_view->setFrameCount(m_frameCount);
    if (m_maxFrames != 0 && m_frameCount >= m_maxFrames) {
        stopRecording();
        return;
    }
    if (m_view)
        showProgress();
}

void WebcamRecorder::setCodecTag(int tag)
{
    switch (tag) {
    case 2: m_codecStr = QStringLiteral("raw "); break;
    case 3: m_codecStr = QStringLiteral("tiff"); break;
    case 4: m_codecStr = QStringLiteral("SVQ3"); break;
    case 5: m_codecStr = QStringLiteral("mjp2"); break;
    case 6: m_codecStr = QStringLiteral("yuv2"); break;
    case 7: m_codecStr = QStringLiteral("h263"); break;
    case 8: m_codecStr = QStringLiteral("rpza"); break;
    case 9: m_codecStr = QStringLiteral("mjpa"); break;
    default: m_codecStr = QStringLiteral("jpeg"); break;
    }
}

void WebcamRecorder::setQualityTag(int tag)
{
    switch (tag) {
    case 2: m_quality = 1023; break;
    case 3: m_quality = 768; break;
    case 4: m_quality = 512; break;
    case 5: m_quality = 256; break;
    default: m_quality = 1024; break;
    }
}
