#include "camera/allsky/AllSkyMovie.h"

#include "camera/allsky/AllSkyFileNames.h"
#include "camera/movie/MovieJob.h"
#include "platform/AlertPanel.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cmath>

AllSkyMovie::AllSkyMovie(DebugWriter debug) : m_debug(std::move(debug)) {}

int AllSkyMovie::frameDuration(float fps)
{
    if (!(fps > 0))
        return MovieWriter::kTimeScale;
    const double units = std::round(MovieWriter::kTimeScale / double(fps));
    return int(std::clamp(units, 1.0, double(MovieWriter::kTimeScale) * 3600.0));
}

void AllSkyMovie::allSkySetMovieDict(int codecFlag, quint32 quality)
{
    m_codecStr = codecFlag != 0 ? QStringLiteral("avc1") : QStringLiteral("jpeg");
    m_quality = quality;
}

bool AllSkyMovie::allSkyMovieStart(const QString& basePath)
{
    QDir().mkpath(QFileInfo(basePath).path());
    const AllSkyFileNames::Numbered target = AllSkyFileNames::firstFree(basePath, QStringLiteral("-%1.mov"));
    if (target.path.isEmpty() || !m_writer.create(target.path, m_codecStr, int(std::min<quint32>(m_quality, 1024)))) {
        m_debug([&] { return QStringLiteral("allSkyMovieStart failed: %1").arg(m_writer.error()); });
        AlertPanel::runAlert(QString::fromLatin1(kStartError), QString::fromLatin1(kCreateError));
        return false;
    }
    m_path = target.path;
    m_isRecording = true;
    return true;
}

void AllSkyMovie::allSkyRecordMovie(const QImage& frame, const QString& basePath)
{
    if (frame.isNull() || m_isHalted)
        return;
    if (!m_isRecording && !allSkyMovieStart(basePath))
        return;
    if (m_writer.addFrame(frame, frameDuration(m_fps)))
        return;
    // The movie ends with the frames it has; a full disk would fail each next one too.
    m_debug([&] { return QStringLiteral("allSkyRecordMovie failed: %1").arg(m_writer.error()); });
    m_isRecording = false;
    m_isHalted = true;
    finishMovie();
}

void AllSkyMovie::allSkyMovieStop()
{
    m_isHalted = false;
    if (!m_isRecording)
        return;
    m_isRecording = false;
    finishMovie();
}

void AllSkyMovie::finishMovie()
{
    if (m_writer.finish())
        return;
    const QString error = m_writer.error();
    m_debug([&] { return QStringLiteral("allSkyMovieStop failed: %1").arg(error); });
    AlertPanel::runAlert(QString::fromLatin1(MovieJob::kWriteError), MovieJob::writeErrorMessage(m_path, error));
}
