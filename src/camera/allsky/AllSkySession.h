#pragma once

#include "camera/allsky/AllSkyDateText.h"
#include "camera/allsky/AllSkyFiles.h"
#include "camera/allsky/AllSkyFrame.h"
#include "camera/allsky/AllSkyMovie.h"
#include "camera/allsky/AllSkySchedule.h"
#include "mount/DebugWriter.h"

#include <QImage>
#include <QObject>

#include <optional>

class AllSkyCamera;
class AllSkyClock;
class PrefControl;

// The all-sky camera's side of the program: what becomes of each image the
// controller delivers (shown, saved, added to the movie), the date stamp,
// the schedule and the sub-frame choice. The controller calls
// imageDownloaded() and downloadFailed() on the main thread. Main thread only.
class AllSkySession final : public QObject {
    Q_OBJECT
public:
    static constexpr char kSaveFailed[] = "Image save file failed.";

    AllSkySession(AllSkyCamera& camera, AllSkyClock& clock, PrefControl* prefs, const QString& miscDirectory,
                  DebugWriter debug, QObject* parent = nullptr);

    // A transfer ended with `frame`: shown, then (unless it is the
    // schedule's dark frame) saved in the chosen format and added to the movie.
    void imageDownloaded(AllSkyFrame frame);
    // A frame of the focus loop: shown only.
    void showFrame(AllSkyFrame frame);
    void downloadFailed();

    // The last delivered frame; none before the first.
    const std::optional<AllSkyFrame>& frame() const { return m_frame; }
    // What the view shows, saves and records: the processed picture.
    const QImage& allSkyCIImage() const { return m_picture; }

    // The display exposure in stops.
    void setExpFilter(float ev);
    float expFilter() const { return m_ev; }

    // The file format: FITS turns the stamp and the movie off.
    void setFileFormat(AllSkyFiles::Format format);

    // The date stamp and movie settings of the date panel.
    void setIsAllSkyText(bool on);
    void setIsAllSkyUTCDate(bool on) { m_stamp.setIsUTC(on); }
    void setIsAllSkySecDate(bool on) { m_stamp.setIsSec(on); }
    void setIsAllSkyUTDatePosn(int corner) { m_stamp.setCorner(corner); }
    void setIsAllSkyMovie(bool on) { m_isAllSkyMovie = on; }
    bool isAllSkyMovie() const { return m_isAllSkyMovie; }
    // Rebuilds the stamp with the font and colour and redraws.
    void allSkyTextSetup(const QFont& font, const QColor& color);

    // A sub-frame square dragged in the view, sent to the camera.
    void chooseSubFrame(quint16 x, quint16 y, quint8 side);

    // The movie's frame: the processed picture, on the main thread.
    void allSkyRecordMovie();

    AllSkySchedule& schedule() { return m_schedule; }
    AllSkyFiles& files() { return m_files; }
    AllSkyMovie& movie() { return m_movie; }
    AllSkyDateText& stamp() { return m_stamp; }

signals:
    // The picture changed: the view redraws.
    void imageChanged();
    // FITS was chosen (false) or another format (true): the date-stamp
    // button follows, and the date panel unticks its boxes on false.
    void stampAllowedChanged(bool allowed);

private:
    void reprocess();

    AllSkyCamera& m_camera;
    AllSkyClock& m_clock;
    DebugWriter m_debug;
    AllSkySchedule m_schedule;
    AllSkyFiles m_files;
    AllSkyMovie m_movie;
    AllSkyDateText m_stamp;
    std::optional<AllSkyFrame> m_frame;
    QImage m_picture;
    float m_ev = 0.0F;
    bool m_isAllSkyMovie = false;
};
