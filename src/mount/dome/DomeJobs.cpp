#include "mount/dome/DomeControl.h"

#include "mount/dome/DomeMount.h"
#include "mount/dome/DomeView.h"

#include <cmath>

namespace {

constexpr std::chrono::milliseconds kCycle{20};
constexpr std::chrono::milliseconds kHomeCycle{10};
constexpr std::chrono::milliseconds kSettle{2};
constexpr std::chrono::milliseconds kNudgeGap{60};
constexpr int kCoastCycles = 91;
constexpr int kAfterCoastCycles = 100;
constexpr int kHomeWaitTicks = 180;
constexpr int kNudges = 32;
// Home is taken as a turn's end only once the dome has left it.
constexpr quint32 kLeaveHomeTicks = 10;
constexpr int kEncoder = 0;
constexpr int kHome = 1;

double wrapDegrees(double degrees)
{
    degrees = std::fmod(degrees, 360.0);
    return degrees < 0.0 ? degrees + 360.0 : degrees;
}

}  // namespace

void DomeControl::coast(int cycles)
{
    for (int i = 0; i < cycles; ++i) {
        domeReadTicks();
        cycle(kCycle);
    }
}

void DomeControl::endJob()
{
    domeSetRelay('0', false);
    m_mount.setIsBlockPolling(false);
    onMain([this] {
        if (m_view) {
            m_view->setProgress(false);
            m_view->domeUpdateButtons();
        }
    });
}

void DomeControl::domeCalibrateTimer()
{
    m_debug("Dome calibration started");
    // Counted apart and taken only when the count completes: a stop or a
    // time-out leaves the calibration in use as it was.
    quint32 turnTicks = 0;
    qint16 coastTicks = 0;
    bool phase = false;
    // Set before the connection is looked at: a disconnect either finds the
    // job running and stops it, or came first and the job does not start.
    m_isCalibrating = true;
    m_isCalAbort = false;
    if (!isReady()) {
        m_isCalibrating = false;
        return;
    }
    onMain([this] {
        if (m_view)
            m_view->setCalProgress(true);
    });
    m_mount.setIsBlockPolling(true);
    domeSetRelay('1', true);

    const auto failed = [this](const char* why, const QString& message) {
        domeSetRelay('0', false);
        m_isCalAbort = false;
        m_isCalibrating = false;
        m_mount.setIsBlockPolling(false);
        m_debug(QString("Dome calibration failed: ") + why);
        onMain([this] {
            if (m_view) {
                m_view->setCalButtonTitle();
                m_view->setCalProgress(false);
                m_view->setDomeCalText();
                m_view->domeUpdateButtons();
            }
        });
        alert("Dome calibration failed.", message);
    };
    for (int cycles = 0;; ) {
        if (m_isCalAbort)
            return failed("stopped", "Calibration stopped.");
        cycle(kCycle);
        if (++cycles > m_jobCycles.seekHome)
            return failed("timeout", "Calibration timeout.");
        if (domeIsHome())
            break;
    }
    for (int cycles = 0;; ) {
        cycle(kCycle);
        if (++cycles > m_jobCycles.turn)
            return failed("timeout", "Calibration timeout.");
        if (m_isCalAbort)
            return failed("stopped", "Calibration stopped.");
        if (!domeReadInput())
            continue;
        if (turnTicks > kLeaveHomeTicks && m_domeIStat[kHome])
            break;
        if (countEdge(phase))
            ++turnTicks;
    }
    domeSetRelay('0', false);
    // The coast counts from the level read at home: that edge is the turn's.
    phase = !m_domeIStat[kEncoder];
    for (int i = 0; i < kCoastCycles; ++i) {
        cycle(kCycle);
        if (domeReadInput() && countEdge(phase))
            ++coastTicks;
    }
    {
        const Lock lock = lockBoard();
        m_domeMaxTicks = turnTicks;
        m_domeOvershoot = coastTicks;
        applyTickAngles();
        m_domeTicks = qint32(quint32(coastTicks) % turnTicks);
        m_phase = !m_domeIStat[kEncoder];
        updateAzimuth();
    }
    m_isCalibrating = false;
    m_mount.setIsBlockPolling(false);
    m_debug([&] {
        return QString::asprintf("Dome calibration completed: max= %u, over= %.2f, tol= %.2f",
                                 turnTicks, double(m_domeOverDeg), double(m_domeTolerance));
    });
    onMain([this] {
        if (m_view) {
            m_view->setCalButtonTitle();
            m_view->setCalProgress(false);
            m_view->setDomeCalText();
            m_view->domeUpdateButtons();
        }
        if (m_saveTicks)
            m_saveTicks();
    });
    alert("Dome calibration completed.", "");
}

void DomeControl::endHomeSearch()
{
    m_isFindHome = false;
    onMain([this] {
        if (m_view)
            m_view->setHomeTitle("Home");
    });
    endJob();
}

void DomeControl::domeHomeTimer()
{
    m_mount.setIsBlockPolling(true);
    char relay = '1';
    if (m_hasDomeBeenHome && m_isDomeBiDirection) {
        const float home = m_domeHomeAzimuth;
        const float dome = m_domeAzimuth;
        if ((home > dome && std::abs(dome - home) > 180.0f) || dome > home)
            relay = '2';
    }
    domeSetRelay(relay, true);
    for (int cycles = 0; cycles < m_jobCycles.home && m_isFindHome; ++cycles) {
        cycle(kHomeCycle);
        if (!domeIsHome())
            continue;
        domeSetRelay('0', false);
        if (m_isDomeBiDirection) {
            pauseTicks(kHomeWaitTicks);
            domeNudgeHome();
        }
        break;
    }
    endHomeSearch();
}

void DomeControl::domeNudgeHome()
{
    if (domeIsHome())
        return;
    // Back against the coast.
    const char relay = m_isDomeEtoW ? '2' : '1';
    for (int step = 0; step < kNudges; ++step) {
        pause(kSettle);
        domeNudgeRelay(relay);
        pause(kNudgeGap);
        if (domeIsHome() || !m_isFindHome) {
            domeNudgeRelay(relay);
            pause(kSettle);
            break;
        }
    }
}

void DomeControl::relayJob(char relay)
{
    m_mount.setIsBlockPolling(true);
    domeSetRelay(relay, true);
    onMain([this] {
        if (m_view)
            m_view->setProgress(true);
    });
    while (m_isDomeRelayOn) {
        cycle(kCycle);
        domeReadTicks();
    }
    pause(kSettle);
    domeSetRelay('0', false);
    pause(kCycle);
    coast(kAfterCoastCycles);
    endJob();
}

void DomeControl::domeRelayWestOnTimer()
{
    relayJob('1');
}

void DomeControl::domeRelayEastOnTimer()
{
    relayJob('2');
}

bool DomeControl::rotationDone(double goal) const
{
    const double dome = m_domeAzimuth;
    const double tolerance = m_domeTolerance;
    const double e = std::abs(dome - goal);
    if (e >= 180.0)
        return 360.0 - e <= tolerance;
    if (m_isDomeEtoW)
        return dome > goal + tolerance || e <= tolerance;
    return dome < goal - tolerance || e <= tolerance;
}

void DomeControl::domeTrackTimer()
{
    m_mount.setIsBlockPolling(true);
    m_isTracking = false;
    m_debug("domeTrackTimer");
    double goal = 0.0;
    for (int cycles = 0; m_isDomeTrack && cycles < m_jobCycles.track; ++cycles) {
        cycle(kCycle);
        if (!domeReadTicks())
            continue;
        if (!m_isTracking) {
            const double target = m_domeTargetAzimuth;
            const double dome = m_domeAzimuth;
            const bool westToEast =
                m_isDomeBiDirection
                && ((target > dome && std::abs(dome - target) > 180.0) || dome > target);
            domeSetRelay(westToEast ? '2' : '1', true);
            goal = wrapDegrees(westToEast ? target + m_domeOverDeg
                                          : target + m_domeDelta - m_domeOverDeg);
            m_isTracking = true;
            onMain([this] {
                if (m_view)
                    m_view->setProgress(true);
            });
            m_debug("domeTrackTimer: start tracking");
            continue;
        }
        if (rotationDone(goal)) {
            pause(kSettle);
            domeSetRelay('0', false);
            m_debug("domeTrackTimer: within tolerance");
            pause(kCycle);
            coast(kAfterCoastCycles);
            break;
        }
    }
    endJob();
    m_isTracking = false;
}
