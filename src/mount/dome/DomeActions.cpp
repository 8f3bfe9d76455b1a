#include "mount/dome/DomeControl.h"

#include "mount/ScopeMessage.h"
#include "mount/dome/DomeMount.h"
#include "mount/dome/DomeView.h"
#include "mount/links/SkyRedraw.h"
#include "platform/AlertPanel.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr std::chrono::milliseconds kSettle{2};
constexpr int kShutterMs = 100;
// A typed interval of 0 would spin the main thread.
constexpr int kShortestTrackMs = 1000;
constexpr int kOpenOutput = 128;   // output 8
constexpr int kCloseOutput = 64;   // output 7
constexpr int kLimitClosed = 2;    // input 3
constexpr int kLimitOpen = 3;      // input 4

}  // namespace

void DomeControl::domeRotateWest(bool nudge)
{
    m_debug("domeRotateWest");
    domeRotate('1', kDomeMsgRelayWestOn, nudge);
}

void DomeControl::domeRotateEast(bool nudge)
{
    m_debug("domeRotateEast");
    domeRotate('2', kDomeMsgRelayEastOn, nudge);
}

void DomeControl::domeRotate(char relay, int job, bool nudge)
{
    if (nudge) {
        command([this, relay] { domeNudgeRelay(relay); });
        // At once: a relay job running ends rather than hold the pulse back.
        m_isDomeRelayOn = false;
        if (m_view)
            m_view->setMotionButtons();
        return;
    }
    m_isDomeRelayOn = !m_isDomeRelayOn;
    // Refused without a worker: no job turns the dome then.
    if (m_isDomeRelayOn && !m_mount.postJob(job))
        m_isDomeRelayOn = false;
}

void DomeControl::startShutter(int output, bool& held, bool& other)
{
    if (held) {
        // Pressed again: the timer stops the motor at its next tick.
        held = false;
        return;
    }
    // A press while the board is asked counts as that one.
    if (m_isShutterStarting)
        return;
    m_isShutterStarting = true;
    exchange(
        [this, output] {
            const Lock lock = lockBoard();
            if (!domeIsHome())
                return false;
            domeSetOutput(output, true);
            return true;
        },
        [this, &held, &other](bool atHome) {
            m_isShutterStarting = false;
            if (!atHome) {
                if (m_view)
                    m_view->setMotionButtons();
                AlertPanel::runAlert("Can not move shutter - dome is not at Home.", " ");
                return;
            }
            other = false;
            held = true;
            if (m_view) {
                m_view->setMotionButtons();
                m_view->setProgress(true);
            }
            m_isDomeShutterMove = true;
            m_shutterTimer.start(kShutterMs);
        });
}

void DomeControl::domeShutterUp()
{
    m_debug("domeShutterUP");
    startShutter(kOpenOutput, m_shutterOpenHeld, m_shutterCloseHeld);
}

void DomeControl::domeShutterDown()
{
    m_debug("domeShutterDown");
    startShutter(kCloseOutput, m_shutterCloseHeld, m_shutterOpenHeld);
}

void DomeControl::domeShutterTimer()
{
    if (!m_isDomeShutterMove) {
        shutterStopped();
        return;
    }
    if (m_isShutterReading)
        return;
    m_isShutterReading = true;
    const bool held = m_shutterOpenHeld || m_shutterCloseHeld;
    struct Tick {
        bool stopped = false;
        bool lost = false;
    };
    exchange(
        [this, held] {
            const Lock lock = lockBoard();
            DomeBoardWatch watch(now());
            const bool read = held && domeReadInput();
            Tick tick;
            tick.stopped = !read || m_domeIStat[kLimitClosed] || m_domeIStat[kLimitOpen];
            // A failed read stops the motor too: it never runs on unwatched.
            if (tick.stopped)
                domeSetOutput(0, false);
            // Limits that cannot be read: the user hears of it when the
            // board has stopped answering.
            tick.lost = held && !read && !answersAgain(watch);
            return tick;
        },
        [this](Tick tick) {
            m_isShutterReading = false;
            if (tick.stopped)
                shutterStopped();
            if (tick.lost)
                loseConnection();
        });
}

void DomeControl::shutterStopped()
{
    m_shutterTimer.stop();
    m_isDomeShutterMove = false;
    m_shutterOpenHeld = false;
    m_shutterCloseHeld = false;
    if (m_view) {
        m_view->setProgress(false);
        m_view->setMotionButtons();
    }
}

void DomeControl::domeSync()
{
    m_debug("domeSync");
    const quint32 max = m_domeMaxTicks;
    if (max == 0 || !m_mount.isConnected() || !calcDomeAzimuth())
        return;
    const auto turn = qint64(max);
    const auto ticks = qint64(max * double(m_domeTargetAzimuth - m_domeHomeAzimuth) / 360.0);
    const auto synced = qint32(((ticks % turn) + turn) % turn);
    // Set on the worker, between its exchanges: one may hold the board (and
    // its count) for as long as a silent board takes to time out.
    exchange(
        [this, synced] {
            const Lock lock = lockBoard();
            m_domeTicks = synced;
            m_hasDomeBeenHome = true;
            return true;
        },
        [this](bool) {
            if (m_view)
                m_view->domeUpdateButtons();
        });
}

void DomeControl::domeFindHome()
{
    m_debug("domeFindHome");
    domeTrack(false);
    if (m_view)
        m_view->domeUpdateButtons();
    m_isFindHome = !m_isFindHome;
    // Only the latest press's check is taken.
    const quint32 check = ++m_homeCheck;
    m_isHomeChecking = m_isFindHome;
    if (!m_isFindHome) {
        homeStopped();
        return;
    }
    exchange([this] { return domeIsHome(); },
             [this, check](bool atHome) {
                 if (check != m_homeCheck)
                     return;
                 m_isHomeChecking = false;
                 // The jobs were stopped meanwhile, as at quit.
                 if (!m_isFindHome)
                     return;
                 if (atHome)
                     homeStopped();
                 else
                     startHomeSearch();
             });
}

void DomeControl::startHomeSearch()
{
    if (!m_mount.postJob(kDomeMsgHome)) {
        m_isFindHome = false;
        return;
    }
    if (m_view) {
        m_view->setHomeTitle("Stop");
        m_view->setProgress(true);
    }
}

void DomeControl::homeStopped()
{
    m_isFindHome = false;
    if (m_view) {
        m_view->setHomeTitle("Home");
        m_view->setProgress(false);
    }
    relaysOffLater();
}

void DomeControl::relaysOffLater()
{
    command([this] {
        pause(kSettle);
        domeSetRelay('0', false);
    });
}

void DomeControl::domeTrack(bool on)
{
    if (on) {
        if (!m_mount.isConnected()) {
            AlertPanel::runAlert("Connect to scope first.", " ");
            return;
        }
        m_isDomeTrack = true;
        m_debug("domeTrack on");
        m_isTracking = false;
        m_domeSkyAzimuth = -1.0f;
        domeResetTrackFreq();
        domeFreqTimer();
        return;
    }
    const bool wasOn = m_isDomeTrack.exchange(false);
    if (!wasOn || !m_isDomeConnect)
        return;
    relaysOffLater();
    m_debug("domeTrack off");
}

void DomeControl::stopJobs()
{
    endRelayJobs();
}

bool DomeControl::endRelayJobs()
{
    m_isCalAbort = true;
    // Each flag is taken whether or not another was set: every job ends.
    bool ran = m_isCalibrating.exchange(false);
    ran = m_isDomeRelayOn.exchange(false) || ran;
    ran = m_isFindHome.exchange(false) || ran;
    ran = m_isDomeTrack.exchange(false) || ran;
    return ran;
}

bool DomeControl::domeCalibrateCmd()
{
    m_debug("domeCalibrate command");
    // Set before the job goes out: the job may start at once.
    m_isCalibrating = true;
    const bool posted = m_mount.postJob(kDomeMsgCalibrate);
    if (!posted)
        m_isCalibrating = false;
    return posted;
}

void DomeControl::domeTrackCmd()
{
    m_mount.postJob(kDomeMsgTrack);
}

void DomeControl::domeFireTrackTimer()
{
    m_debug("domeFireTrackTimer");
    // The worker asks; the tick runs where the timer's ticks do.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (m_domeTrackTimer.isActive())
                domeFreqTimer();
        },
        Qt::QueuedConnection);
}

void DomeControl::domeResetTrackFreq()
{
    if (m_isDomeTrack)
        m_domeTrackTimer.start(std::max(kShortestTrackMs, int(m_domeFrequency * 1000.0f)));
}

void DomeControl::domeFreqTimer()
{
    if (!m_isDomeTrack || !m_mount.isConnected()) {
        m_domeTrackTimer.stop();
        m_isTracking = false;
        return;
    }
    if (m_isTracking || m_isTickReading)
        return;
    m_debug("domeFreqTimer");
    if (!calcDomeAzimuth()) {
        m_debug("domeFreqTimer: calc failed");
        return;
    }
    m_isTickReading = true;
    exchange([this] { return domeReadTicks(); },
             [this](bool read) {
                 m_isTickReading = false;
                 if (!read)
                     m_debug("domeFreqTimer: read ticks failed");
                 else if (m_isDomeTrack && !m_isTracking)
                     followTarget();
             });
}

void DomeControl::followTarget()
{
    const float d = m_domeAzimuth - m_domeTargetAzimuth;
    m_domeSkyAzimuth = m_scopeAzimuth + d;
    if (domeAngleApart(m_domeAzimuth, m_domeTargetAzimuth) <= m_domeDelta) {
        if (m_sky)
            m_sky->setNeedsDisplay();
        return;
    }
    domeTrackCmd();
}
