#include "camera/allsky/AllSkySession.h"

#include "camera/allsky/AllSkyCamera.h"
#include "camera/allsky/AllSkyClock.h"
#include "camera/allsky/AllSkyPicture.h"
#include "platform/AlertPanel.h"

AllSkySession::AllSkySession(AllSkyCamera& camera, AllSkyClock& clock, PrefControl* prefs,
                             const QString& miscDirectory, DebugWriter debug, QObject* parent)
    : QObject(parent),
      m_camera(camera),
      m_clock(clock),
      m_debug(debug),
      m_schedule(camera, clock, prefs, debug),
      m_files(miscDirectory, debug),
      m_movie(debug)
{
    connect(&m_schedule, &AllSkySchedule::movieStopRequested, this, [this] { m_movie.allSkyMovieStop(); });
}

void AllSkySession::reprocess()
{
    m_picture = m_frame ? AllSkyPicture::process(*m_frame, m_ev, m_stamp.render(m_clock.now())) : QImage();
    emit imageChanged();
}

void AllSkySession::showFrame(AllSkyFrame frame)
{
    m_frame = std::move(frame);
    reprocess();
    m_debug("SG-4 image download done, display called");
}

void AllSkySession::imageDownloaded(AllSkyFrame frame)
{
    const quint8 type = frame.imageType;
    showFrame(std::move(frame));
    if (m_schedule.imageDownloaded(type) || m_files.fileFormat() == AllSkyFiles::Format::None)
        return;
    // A sub-frame is for looking at (focusing), never a file: no failure to report.
    if (!AllSkyFrame::fileSize(m_frame->readOutMode)) {
        m_debug("saveAllSkyImage: sub-frame not saved");
        return;
    }
    if (!m_files.saveAllSkyImage(*m_frame, m_picture)) {
        m_debug("AllSky image save failed");
        AlertPanel::runAlert(QString::fromLatin1(kSaveFailed), QStringLiteral(" "));
        return;
    }
    m_debug("AllSky image saved");
    if (m_isAllSkyMovie)
        allSkyRecordMovie();
}

void AllSkySession::downloadFailed()
{
    m_schedule.downloadFailed();
}

void AllSkySession::setExpFilter(float ev)
{
    m_ev = ev;
    reprocess();
}

void AllSkySession::setFileFormat(AllSkyFiles::Format format)
{
    m_files.setFileFormat(format);
    const bool allowed = format != AllSkyFiles::Format::Fits;
    if (!allowed) {
        m_stamp.setIsText(false);
        m_isAllSkyMovie = false;
    }
    emit stampAllowedChanged(allowed);
}

void AllSkySession::setIsAllSkyText(bool on)
{
    m_stamp.setIsText(on);
    reprocess();
}

void AllSkySession::allSkyTextSetup(const QFont& font, const QColor& color)
{
    m_stamp.setup(font, color, m_clock.now());
    reprocess();
}

void AllSkySession::chooseSubFrame(quint16 x, quint16 y, quint8 side)
{
    if (!m_camera.defineSubFrame(x, y, side))
        m_debug("AllSky sub-frame not taken");
    emit imageChanged();
}

void AllSkySession::allSkyRecordMovie()
{
    m_movie.allSkyRecordMovie(m_picture, m_files.allSkyPath());
}
