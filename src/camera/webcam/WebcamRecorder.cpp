#include "camera/webcam/WebcamRecorder.h"

#include "camera/webcam/WebcamView.h"
#include "platform/AlertPanel.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>

WebcamRecorder::WebcamRecorder(DebugWriter debug, QObject* parent) : QObject(parent), m_debug(std::move(debug))
{
    connect(this, &WebcamRecorder::frameWritten, this, &WebcamRecorder::frameDone, Qt::QueuedConnection);
}

WebcamRecorder::~WebcamRecorder()
{
    waitForFrame();
    const std::lock_guard lock(m_writerLock);
    m_writer.finish();
}

void WebcamRecorder::waitForFrame()
{
    if (m_job.joinable())
        m_job.join();
}

void WebcamRecorder::resetMovieName(const QString& directory)
{
    m_movieDirectory = directory.endsWith(u'/') ? directory : directory + u'/';
    m_movieName = QString::fromLatin1(kDefaultName);
    m_moviePath = m_movieDirectory + m_movieName + QStringLiteral(".mov");
}

QString WebcamRecorder::freeMoviePath(const QString& directory, const QString& name)
{
    const QString plain = directory + name + QStringLiteral(".mov");
    if (!QFileInfo::exists(plain))
        return plain;
    for (int n = 1; n <= kMaxNumbered; ++n) {
        const QString numbered = directory + name + QStringLiteral("-%1.mov").arg(n);
        if (!QFileInfo::exists(numbered))
            return numbered;
    }
    return {};
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
    waitForFrame();
    const std::unique_lock lock(m_writerLock);
    if (m_moviePath.isEmpty() || !m_writer.create(m_moviePath, m_codecStr, m_quality)) {
        m_debug([&] { return QStringLiteral("Start Recording error: %1").arg(m_writer.error()); });
        AlertPanel::runAlert(QString::fromLatin1(kStartError), QString::fromLatin1(kCreateError));
        return false;
    }
    ++m_recording;
    m_maxFrames = maxFrames;
    m_isRecording = true;
    m_isFrameRec = true;
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
    ++m_recording;
    waitForFrame();
    m_isFrameRec = true;
    bool updated = false;
    QString error;
    {
        const std::lock_guard lock(m_writerLock);
        updated = m_writer.finish();
        error = m_writer.error();
    }
    m_debug([&] {
        return updated ? QStringLiteral("Stop Recoding didUpate")
                       : QStringLiteral("Stop Recoding didUpate failed: %1").arg(error);
    });
    if (m_view) {
        m_view->setProgress(false, 0);
        m_view->setRecordingControls(false);
    }
    return updated;
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

int WebcamRecorder::frameDuration(float frequency)
{
    const int rate = std::max(1, int(std::trunc(frequency + 0.5f)));
    // Faster than 600 frames per second would round to no time at all.
    return std::max(1, MovieWriter::kTimeScale / rate);
}

void WebcamRecorder::recordFrame(const QImage& frame, float frequency)
{
    if (!m_isRecording || !m_isFrameRec || m_isPause || frame.isNull())
        return;
    m_isFrameRec = false;
    // The last job has posted its result; its thread ends at once.
    waitForFrame();
    {
        // The job's own pixels: no image data is shared between the threads.
        const std::lock_guard lock(m_writerLock);
        m_jobFrame = frame.copy();
        m_jobDuration = frameDuration(frequency);
    }
    const quint64 recording = m_recording;
    m_job = std::thread([this, recording] {
        bool written = false;
        {
            const std::lock_guard lock(m_writerLock);
            written = m_writer.addFrame(m_jobFrame, m_jobDuration);
            m_jobFrame = QImage();
        }
        emit frameWritten(recording, written);
    });
}

void WebcamRecorder::frameDone(quint64 recording, bool written)
{
    if (recording != m_recording || !m_isRecording)
        return;
    m_isFrameRec = true;
    if (!written) {
        m_debug([&] {
            const std::lock_guard lock(m_writerLock);
            return QStringLiteral("Movie frame skipped: %1").arg(m_writer.error());
        });
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
