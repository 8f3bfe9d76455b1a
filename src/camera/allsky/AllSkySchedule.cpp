#include "camera/allsky/AllSkySchedule.h"

#include "camera/allsky/AllSkyCamera.h"
#include "camera/allsky/AllSkyClock.h"
#include "camera/allsky/AllSkyFrame.h"
#include "model/settings/PrefControl.h"

#include <algorithm>
#include <limits>

namespace {

QString shownDate(const QDateTime& date)
{
    return date.toString(Qt::ISODate);
}

}  // namespace

AllSkySchedule::AllSkySchedule(AllSkyCamera& camera, AllSkyClock& clock, PrefControl* prefs, DebugWriter debug,
                               QObject* parent)
    : QObject(parent),
      m_camera(camera),
      m_clock(clock),
      m_prefs(prefs),
      m_debug(debug),
      m_heater(camera, clock, [this] { return isIdle(); }, debug),
      m_runTimer(clock.createTimer()),
      m_darkTimer(clock.createTimer()),
      m_runRetry(clock.createTimer()),
      m_darkRetry(clock.createTimer()),
      m_scheduleTimer(clock.createTimer()),
      m_startDate(clock.now()),
      m_stopDate(m_startDate)
{
    connect(&m_heater, &AllSkyHeater::heatingChanged, this, &AllSkySchedule::heatingChanged);
}

AllSkySchedule::~AllSkySchedule() = default;

bool AllSkySchedule::isIdle() const
{
    return !m_isExpBlock && m_camera.isIdle();
}

void AllSkySchedule::editExpSchedule(int minutes, int seconds)
{
    m_expSchedule = float(minutes * 60 + seconds);
    if (m_prefs)
        m_prefs->setExpSchedulePref(m_expSchedule);
    m_debug([&] { return QString::asprintf("AllSky set expSchedule: %.0f", double(m_expSchedule)); });
}

void AllSkySchedule::editDarkSchedule(int minutes)
{
    m_darkSchedule = float(minutes * 60);
    if (m_prefs)
        m_prefs->setDarkSchedulePref(m_darkSchedule);
    m_debug([&] { return QString::asprintf("AllSky set darkSchedule: %.0f", double(m_darkSchedule)); });
}

void AllSkySchedule::editHeatOnSchedule(int minutes)
{
    const float seconds = float(std::max(0, minutes * 60));
    m_heater.setHeatOnSchedule(seconds);
    if (m_prefs)
        m_prefs->setHeatOnSchedulePref(seconds);
    m_debug([&] { return QString::asprintf("AllSky set heatOnSchedule: %.0f", double(seconds)); });
}

void AllSkySchedule::editHeatOffSchedule(int minutes)
{
    const float seconds = float(std::max(0, minutes * 60));
    m_heater.setHeatOffSchedule(seconds);
    if (m_prefs)
        m_prefs->setHeatOffSchedulePref(seconds);
    m_debug([&] { return QString::asprintf("AllSky set heatOffSchedule: %.0f", double(seconds)); });
}

void AllSkySchedule::runAction()
{
    if (m_isScheduleRun)
        stop();
    else
        run();
}

void AllSkySchedule::run()
{
    if (m_expSchedule <= 0 && m_heater.heatOnSchedule() <= 0)
        return;
    m_debug("Run schedule button hit");
    m_debug([&] {
        return QString::asprintf("Schedule exp: %.0f, dark: %.0f, heat: %.0f/%.0f sec", double(m_expSchedule),
                                 double(m_darkSchedule), double(m_heater.heatOnSchedule()),
                                 double(m_heater.heatOffSchedule()));
    });
    if (m_kind != Kind::Immediate)
        m_debug([&] {
            return QStringLiteral("Schedule start: %1, stop: %2").arg(shownDate(m_startDate), shownDate(m_stopDate));
        });
    m_isScheduleRun = true;
    emit runStateChanged(true);
    if (m_kind == Kind::Immediate) {
        startDarks();
        startExposures();
        m_heater.startImmediate();
    } else if (m_expSchedule > 0) {
        armScheduleTimer(0);
    }
}

void AllSkySchedule::stop()
{
    m_isScheduleRun = false;
    m_hasFiredSchedule = false;
    emit runStateChanged(false);
    emit statusChanged(QStringLiteral(" "));
    emit movieStopRequested();
    // An exposure under way finishes, downloads and saves; a dark frame that
    // is due but not begun would hold the heater's last change back for good.
    if (!m_isDarkUnderway)
        giveUpDark();
    stopTimers();
    m_scheduleTimer->stop();
}

void AllSkySchedule::stopTimers()
{
    for (GuideTimer* timer : {m_runTimer.get(), m_darkTimer.get(), m_runRetry.get(), m_darkRetry.get()})
        timer->stop();
    m_isConstExp = false;
    m_heater.stopCycle();
}

void AllSkySchedule::startDarks()
{
    if (m_camera.readOutMode() != AllSkyFrame::kFullMode || m_camera.imageType() != AllSkyFrame::kLightType
        || m_darkSchedule <= 0)
        return;
    m_darkTimer->start(guideMilliseconds(m_darkSchedule), true, [this] { darkTick(); });
    m_isExpBlock = true;
    darkTick();
}

void AllSkySchedule::startExposures()
{
    if (m_expSchedule <= 0)
        return;
    m_runTimer->start(guideMilliseconds(m_expSchedule), true, [this] { runTick(); });
    runTick();
}

void AllSkySchedule::retry(GuideTimer& retry, GuideTimer& timer, void (AllSkySchedule::*tick)())
{
    retry.start(kRetryMs, false, [this, &timer, tick] {
        if (timer.isActive())
            (this->*tick)();
    });
}

void AllSkySchedule::runTick()
{
    if (!isIdle()) {
        retry(*m_runRetry, *m_runTimer, &AllSkySchedule::runTick);
        return;
    }
    if (!m_camera.startExposure(m_exposureSeconds, m_camera.imageType())) {
        emit statusChanged(QStringLiteral("Expose failed"));
        giveUpDark();
        m_debug("AllSkyRunTimer sg4TakeImageCmd failed");
        return;
    }
    m_debug([&] { return QString::asprintf("AllSky start run exposure at: %0.2f sec", double(m_exposureSeconds)); });
}

void AllSkySchedule::darkTick()
{
    m_isExpBlock = true;
    if (!m_camera.isIdle()) {
        retry(*m_darkRetry, *m_darkTimer, &AllSkySchedule::darkTick);
        return;
    }
    if (!m_camera.startExposure(m_exposureSeconds, AllSkyFrame::kDarkType)) {
        m_isExpBlock = false;
        return;
    }
    m_isDarkUnderway = true;
    m_debug([&] { return QString::asprintf("AllSky start dark exp at: %0.2f sec", double(m_exposureSeconds)); });
}

bool AllSkySchedule::exposureEnded()
{
    const float transfer = m_camera.lastTransferSeconds();
    // Only while the schedule's exposures run and no dark frame is due: a
    // stopped schedule must not go on exposing by itself.
    const bool running = m_isScheduleRun && m_runTimer->isActive() && !m_isExpBlock;
    m_isConstExp = running && transfer > 0 && m_exposureSeconds > transfer + kContinuousMargin
                   && m_expSchedule == kContinuousInterval;
    if (!m_isConstExp)
        return false;
    if (!m_camera.startExposure(m_exposureSeconds, m_camera.imageType())) {
        m_isConstExp = false;
        return false;
    }
    m_debug([&] {
        return QString::asprintf("AllSky start continuous exposure at: %0.2f sec", double(m_exposureSeconds));
    });
    return true;
}

bool AllSkySchedule::imageDownloaded(quint8 imageType)
{
    if (m_isScheduleRun)
        emit statusChanged(QStringLiteral("Schedule running"));
    if (!m_isExpBlock || imageType != AllSkyFrame::kDarkType)
        return false;
    giveUpDark();
    return true;
}

void AllSkySchedule::downloadFailed()
{
    giveUpDark();
}

void AllSkySchedule::giveUpDark()
{
    m_isExpBlock = false;
    m_isDarkUnderway = false;
}

void AllSkySchedule::heaterCheckbox(bool on)
{
    m_heater.force(on);
    m_debug(on ? "Heater checkbox hit: ON" : "Heater checkbox hit: OFF");
}

void AllSkySchedule::cameraDisconnecting()
{
    if (m_isScheduleRun)
        stop();
    m_heater.switchOffNow();
}

void AllSkySchedule::armScheduleTimer(int firstMs)
{
    if (firstMs > 0) {
        m_scheduleTimer->start(firstMs, false, [this] { armScheduleTimer(0); });
        return;
    }
    m_scheduleTimer->start(kScheduleTickMs, true, [this] { scheduleTick(); });
    scheduleTick();
}

void AllSkySchedule::scheduleTick()
{
    const QDateTime now = m_clock.now();
    if (!m_hasFiredSchedule) {
        if (m_startDate > now)
            return;
        enterWindow();
    } else if (m_stopDate <= now) {
        leaveWindow();
    }
}

void AllSkySchedule::enterWindow()
{
    startDarks();
    m_heater.startDated();
    m_hasFiredSchedule = true;
    startExposures();
    m_debug("AllSkyScheduleTimer start D/T schedule");
}

void AllSkySchedule::leaveWindow()
{
    m_hasFiredSchedule = false;
    giveUpDark();
    stopTimers();
    m_debug("AllSkyScheduleTimer stop D/T schedule");
    emit movieStopRequested();
    if (m_kind == Kind::Once) {
        m_isScheduleRun = false;
        emit runStateChanged(false);
        emit statusChanged(QStringLiteral(" "));
        m_scheduleTimer->stop();
        return;
    }
    // Whole days keep the time of day; a stop date left far behind by a
    // schedule started late moves on until it lies ahead again. The mount's
    // worker is left running: the mount and the domes use it too.
    const QDateTime now = m_clock.now();
    do {
        m_startDate = m_startDate.addSecs(kDaySeconds);
        m_stopDate = m_stopDate.addSecs(kDaySeconds);
    } while (m_stopDate <= now);
    m_debug([&] { return QStringLiteral("allSkyScheduleTimer new startDate: %1").arg(shownDate(m_startDate)); });
    m_debug([&] { return QStringLiteral("allSkyScheduleTimer new stopDate: %1").arg(shownDate(m_stopDate)); });
    emit datesChanged(m_startDate, m_stopDate);
    m_camera.forgetDarkFrame();
    const qint64 untilStart = std::max<qint64>(1, now.msecsTo(m_startDate));
    armScheduleTimer(int(std::min<qint64>(untilStart, std::numeric_limits<int>::max())));
}
