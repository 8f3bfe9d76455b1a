#include "camera/movie/MovieJob.h"

#include <QFileInfo>

#include <algorithm>
#include <cmath>

MovieJob::MovieJob(QObject* parent) : QObject(parent)
{
    connect(this, &MovieJob::jobEnded, this, &MovieJob::jobDone, Qt::QueuedConnection);
    connect(this, &MovieJob::finishEnded, this, &MovieJob::finishDone, Qt::QueuedConnection);
}

MovieJob::~MovieJob()
{
    waitForFrame();
    const std::lock_guard lock(m_writerLock);
    m_writer.finish();
}

QString MovieJob::freeMoviePath(const QString& base, int digits)
{
    const QString plain = base + QStringLiteral(".mov");
    if (!QFileInfo::exists(plain))
        return plain;
    for (int n = 1; n <= kMaxNumbered; ++n) {
        const QString numbered = base + QStringLiteral("-%1.mov").arg(n, digits, 10, QLatin1Char('0'));
        if (!QFileInfo::exists(numbered))
            return numbered;
    }
    return {};
}

QString MovieJob::writeErrorMessage(const QString& path, const QString& reason)
{
    return QStringLiteral("The movie \"%1\" ended early: %2.")
        .arg(QFileInfo(path).fileName(), reason);
}

int MovieJob::frameDuration(float frequency)
{
    const int rate = std::max(1, int(std::trunc(frequency + 0.5f)));
    // Faster than 600 frames per second would round to no time at all.
    return std::max(1, MovieWriter::kTimeScale / rate);
}

void MovieJob::waitForFrame()
{
    if (m_job.joinable())
        m_job.join();
}

QString MovieJob::error() const
{
    const std::lock_guard lock(m_writerLock);
    return m_writer.error();
}

bool MovieJob::create(const QString& path, const QString& codec, int quality)
{
    waitForFrame();
    tellFinished();
    const std::lock_guard lock(m_writerLock);
    ++m_recording;
    m_isFrameRec = true;
    m_isOpen = m_writer.create(path, codec, quality);
    return m_isOpen;
}

bool MovieJob::offerFrame(const QImage& frame, int duration)
{
    if (!m_isOpen || !m_isFrameRec || frame.isNull())
        return false;
    m_isFrameRec = false;
    // The last job has posted its result; its thread ends at once.
    waitForFrame();
    {
        // The job's own pixels: no image data is shared between the threads.
        const std::lock_guard lock(m_writerLock);
        m_jobFrame = frame.copy();
        m_jobDuration = duration;
    }
    const quint64 recording = m_recording;
    m_job = std::thread([this, recording] {
        bool written = false;
        {
            const std::lock_guard lock(m_writerLock);
            written = m_writer.addFrame(m_jobFrame, m_jobDuration);
            m_jobFrame = QImage();
        }
        emit jobEnded(recording, written);
    });
    return true;
}

bool MovieJob::finish()
{
    if (!m_isOpen)
        return false;
    ++m_recording;
    waitForFrame();
    m_isFrameRec = true;
    m_isOpen = false;
    m_isFinishing = true;
    const quint64 recording = m_recording;
    m_job = std::thread([this, recording] {
        {
            const std::lock_guard lock(m_writerLock);
            m_finishResult = m_writer.finish();
        }
        emit finishEnded(recording);
    });
    return true;
}

void MovieJob::jobDone(quint64 recording, bool written)
{
    if (recording != m_recording || !m_isOpen)
        return;
    m_isFrameRec = true;
    emit frameWritten(written);
}

void MovieJob::finishDone(quint64 recording)
{
    if (recording == m_recording)
        tellFinished();
}

void MovieJob::tellFinished()
{
    if (!m_isFinishing)
        return;
    m_isFinishing = false;
    bool done = false;
    {
        const std::lock_guard lock(m_writerLock);
        done = m_finishResult;
    }
    emit movieFinished(done);
}
