#pragma once

#include "camera/allsky/AllSkyHeater.h"
#include "camera/guide/GuideClock.h"
#include "mount/DebugWriter.h"

#include <QDateTime>
#include <QObject>
#include <QString>

#include <memory>

class AllSkyCamera;
class AllSkyClock;
class PrefControl;

// The all-sky camera's unattended schedule: an exposure every so many
// seconds, dark frames taken before the light frames they are subtracted
// from, and the heater cycle; at once, or between a start and a stop date,
// once or every day. Every tick that finds the camera busy tries again 10 s
// later instead of waiting. Main thread only.
class AllSkySchedule final : public QObject {
    Q_OBJECT
public:
    enum class Kind { Immediate, Once, Daily };

    static constexpr int kRetryMs = 10000;
    static constexpr int kScheduleTickMs = 60000;
    static constexpr qint64 kDaySeconds = 86400;
    // Seconds an exposure must outlast the last transfer for the next one to
    // start during the transfer (its first poll then falls after it).
    static constexpr float kContinuousMargin = 2.0F;
    // The exposure interval that asks for continuous exposure.
    static constexpr float kContinuousInterval = 1.0F;

    // `prefs` stores the four intervals as they are edited (none in tests).
    AllSkySchedule(AllSkyCamera& camera, AllSkyClock& clock, PrefControl* prefs, DebugWriter debug,
                   QObject* parent = nullptr);
    ~AllSkySchedule() override;

    // Intervals in seconds as the settings hand them back at start.
    void setExpSchedule(float seconds) { m_expSchedule = seconds; }
    void setDarkSchedule(float seconds) { m_darkSchedule = seconds; }
    void setHeatOnSchedule(float seconds) { m_heater.setHeatOnSchedule(seconds); }
    void setHeatOffSchedule(float seconds) { m_heater.setHeatOffSchedule(seconds); }
    float expSchedule() const { return m_expSchedule; }
    float darkSchedule() const { return m_darkSchedule; }
    float heatOnSchedule() const { return m_heater.heatOnSchedule(); }
    float heatOffSchedule() const { return m_heater.heatOffSchedule(); }

    // The panel's fields, edited: set, stored and logged.
    void editExpSchedule(int minutes, int seconds);
    void editDarkSchedule(int minutes);
    void editHeatOnSchedule(int minutes);
    void editHeatOffSchedule(int minutes);

    // The exposure time of every schedule exposure, from the panel's fields.
    void setExposureSeconds(float seconds) { m_exposureSeconds = seconds; }
    void setKind(Kind kind) { m_kind = kind; }
    Kind kind() const { return m_kind; }
    void setStartDate(const QDateTime& date) { m_startDate = date; }
    void setStopDate(const QDateTime& date) { m_stopDate = date; }
    QDateTime startDate() const { return m_startDate; }
    QDateTime stopDate() const { return m_stopDate; }

    // The RUN / STOP button.
    void runAction();
    // The heater check box.
    void heaterCheckbox(bool on);
    // The camera is about to be disconnected: a running schedule stops and a
    // heater that is on goes off at once, while the port is still open.
    void cameraDisconnecting();

    // The camera reports that an exposure ended and its transfer is about to
    // start; true when the next exposure was started to run during it.
    bool exposureEnded();
    // An image arrived; true when it was the schedule's dark frame, which
    // is kept by the camera and not saved.
    bool imageDownloaded(quint8 imageType);
    // A transfer failed: a due dark frame is given up.
    void downloadFailed();

    bool isScheduleRun() const { return m_isScheduleRun; }
    bool hasFiredSchedule() const { return m_hasFiredSchedule; }
    bool isExpBlock() const { return m_isExpBlock; }
    bool isAllSkyConstExp() const { return m_isConstExp; }
    bool isHeating() const { return m_heater.isHeating(); }
    // No exposure or transfer runs and no dark frame is due.
    bool isIdle() const;

signals:
    void runStateChanged(bool running);
    void statusChanged(const QString& text);
    void datesChanged(const QDateTime& start, const QDateTime& stop);
    void heatingChanged(bool on);
    // A movie being recorded is to be closed.
    void movieStopRequested();

private:
    void run();
    void stop();
    void startDarks();
    void startExposures();
    void runTick();
    void darkTick();
    void scheduleTick();
    void enterWindow();
    void leaveWindow();
    void armScheduleTimer(int firstMs);
    void giveUpDark();
    void stopTimers();
    void retry(GuideTimer& retry, GuideTimer& timer, void (AllSkySchedule::*tick)());

    AllSkyCamera& m_camera;
    AllSkyClock& m_clock;
    PrefControl* m_prefs;
    DebugWriter m_debug;
    AllSkyHeater m_heater;
    std::unique_ptr<GuideTimer> m_runTimer;
    std::unique_ptr<GuideTimer> m_darkTimer;
    std::unique_ptr<GuideTimer> m_runRetry;
    std::unique_ptr<GuideTimer> m_darkRetry;
    std::unique_ptr<GuideTimer> m_scheduleTimer;
    QDateTime m_startDate;
    QDateTime m_stopDate;
    Kind m_kind = Kind::Immediate;
    float m_expSchedule = 0.0F;
    float m_darkSchedule = 0.0F;
    float m_exposureSeconds = 0.0F;
    bool m_isScheduleRun = false;
    bool m_hasFiredSchedule = false;
    bool m_isExpBlock = false;
    // The due dark frame's exposure has begun (its download ends the block).
    bool m_isDarkUnderway = false;
    bool m_isConstExp = false;
};
