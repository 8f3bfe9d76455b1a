#include "camera/canon/CanonControl.h"

#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"

#include <QDir>
#include <QFileInfo>

namespace {

const QString kBlank = QStringLiteral(" ");
// The first frame of a run, before any rate is known, lasts 0.2 s.
constexpr int kFirstFrameUnits = 120;
constexpr int kNumberDigits = 3;

}  // namespace

void CanonControl::readMovieFrameLimit()
{
    // Anything but a whole number of frames means no limit.
    bool ok = false;
    const uint limit = m_panel.movieFramesText.trimmed().toUInt(&ok);
    m_canonNumMovieFrames = ok ? limit : 0;
}

void CanonControl::recordButton()
{
    readMovieFrameLimit();
    emit scaleImageReset();
    if (m_isCanonMovieRecording) {
        stopRecordingMovie();
        return;
    }
    if (!m_isCanonLiveView) {
        AlertPanel::beep();
        return;
    }
    m_panel.recordTitle = QStringLiteral("Stop");
    m_canonNumMovieFramesTaken = 0;
    m_isCanonMovieRecording = true;
    m_panel.expButtonEnabled = false;
    startRecordingMovie();
}

bool CanonControl::startRecordingMovie()
{
    if (m_canonMovieFileDir == kBlank)
        setMovieFolder();
    const QString base =
        m_canonMovieFileDir.trimmed().isEmpty() ? miscFolder() + QStringLiteral("Canon Movie") : m_canonMovieFileDir;
    // The default folder may not exist yet.
    QDir().mkpath(QFileInfo(base).path());
    m_canonMoviePath = MovieJob::freeMoviePath(base, kNumberDigits);
    if (m_canonMoviePath.isEmpty() || !m_canonMovie.create(m_canonMoviePath, m_codecStr, m_codecQuality)) {
        m_debug([&] { return QStringLiteral("Start Recording error: %1 %2").arg(m_canonMoviePath, m_canonMovie.error()); });
        AlertPanel::runAlert(QStringLiteral("Start Recording error"), QStringLiteral("Unable to create movie."));
        m_isCanonMovieRecording = false;
        // Nothing is recording: the controls must not say otherwise.
        restoreMovieControls();
        return false;
    }
    m_panel.progress = 0;
    m_panel.progressIndeterminate = m_canonNumMovieFrames == 0;
    m_panel.progressAnimating = m_canonNumMovieFrames == 0;
    changed();
    return true;
}

void CanonControl::stopRecordingMovie()
{
    if (!m_isCanonMovieRecording)
        return;
    m_isCanonMovieRecording = false;
    // The movie is finished off the main thread; the controls return when it is.
    m_canonFinishingPath = m_canonMoviePath;
    if (!m_canonMovie.finish())
        restoreMovieControls();
}

void CanonControl::movieFinished(bool done)
{
    const QString error = m_canonMovie.error();
    m_debug([&] {
        return done ? QStringLiteral("Stop Recoding didUpate %1").arg(m_canonFinishingPath)
                    : QStringLiteral("Stop Recoding didUpate failed: %1").arg(error);
    });
    if (!m_isCanonMovieRecording)
        restoreMovieControls();
    // Stopped before any frame came, there was no movie to lose.
    if (!done && (m_canonNumMovieFramesTaken > 0 || m_canonMovieFailed))
        AlertPanel::runAlert(QString::fromLatin1(MovieJob::kWriteError),
                             MovieJob::writeErrorMessage(m_canonFinishingPath, error));
    m_canonMovieFailed = false;
}

void CanonControl::restoreMovieControls()
{
    m_panel.progressIndeterminate = false;
    m_panel.progressAnimating = false;
    m_panel.recordTitle = QStringLiteral("Record");
    m_panel.expButtonEnabled = true;
    m_panel.progress = 0;
    m_panel.expTakenText = kBlank;
    m_panel.movieFPSText = kBlank;
    changed();
}

void CanonControl::recordCanonMovie(const QImage& frame)
{
    // While a frame is encoded the shown ones pass by, and the rate below
    // is that of the frames the movie gets.
    if (!m_isCanonMovieRecording || frame.isNull() || !m_canonMovie.isFrameRec())
        return;
    const std::int64_t now = m_microClock();
    int duration = kFirstFrameUnits;
    if (m_frequency == 0) {
        m_frequency = -1;
    } else {
        const double dt = (now - m_microSec) * 1e-6;
        if (dt > 0) {
            m_frequency = m_frequency == -1 ? float(1 / dt) : float(0.5 * m_frequency + 0.5 / dt);
            m_panel.movieFPSText = QString::asprintf("%.1f fps", m_frequency);
        }
        if (m_frequency != -1)
            duration = MovieJob::frameDuration(m_frequency);
    }
    m_microSec = now;
    m_canonMovie.offerFrame(frame, duration);
}

void CanonControl::movieFrameWritten(bool written)
{
    if (!m_isCanonMovieRecording)
        return;
    if (!written) {
        // The movie takes no more frames: it ends here, with those it has.
        m_debug([&] { return QStringLiteral("Movie frame failed: %1").arg(m_canonMovie.error()); });
        m_canonMovieFailed = true;
        stopRecordingMovie();
        return;
    }
    ++m_canonNumMovieFramesTaken;
    m_panel.expTakenText = QString::number(m_canonNumMovieFramesTaken);
    if (m_canonNumMovieFrames != 0 && m_canonNumMovieFramesTaken >= m_canonNumMovieFrames) {
        stopRecordingMovie();
        return;
    }
    if (m_canonNumMovieFrames != 0)
        m_panel.progress = m_canonNumMovieFramesTaken * 100.0 / m_canonNumMovieFrames;
    changed();
}

bool CanonControl::setMovieFolder()
{
    const QString chosen = askBaseName({QStringLiteral("Save Movie Name"),
                                        QStringLiteral("Enter the movie name without an extension."), miscFolder(),
                                        QStringLiteral("Canon Movie")},
                                       m_canonMovieFileDir);
    if (!chosen.isEmpty()) {
        m_canonMovieFileDir = chosen;
        m_prefs.setCanonMovieFile(chosen);
        m_panel.movieFolderToolTip = QStringLiteral("Movie Path: %1").arg(chosen);
    }
    return true;
}
