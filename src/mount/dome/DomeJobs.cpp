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
// A coast is counted for its cycles, but no longer than a dome takes to
// come to rest, however slowly the board answers.
constexpr std::chrono::seconds kLongestCoast{5};
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

bool DomeControl::coast(int cycles, DomeBoardWatch& watch)
{
    const auto end = now() + kLongestCoast;
    for (int i = 0; i < cycles && now() < end; ++i) {
        if (lostBoard(domeReadTicks(), watch))
            return false;
        cycle(kCycle);
    }
    return true;
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

    const auto ended = [this](const char* why) {
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
    };
    const auto failed = [&](const char* why, const QString& message) {
        ended(why);
        alert("Dome calibration failed.", message);
    };
    // The user hears of the lost board, not of the calibration it ended.
    const auto lost = [&] {
        stopMotors();
        ended("board lost");
        announceLost();
    };
    DomeBoardWatch watch(now());
    const auto seekEnd = now() + m_jobLimits.seekHome;
    for (;;) {
        if (m_isCalAbort)
            return failed("stopped", "Calibration stopped.");
        cycle(kCycle);
        if (now() >= seekEnd)
            return failed("timeout", "Calibration timeout.");
        const std::optional<bool> home = readIsHome();
        if (lostBoard(home.has_value(), watch))
            return lost();
        if (home.value_or(false))
            break;
    }
    const auto turnEnd = now() + m_jobLimits.turn;
    for (;;) {
        cycle(kCycle);
        if (now() >= turnEnd)
            return failed("timeout", "Calibration timeout.");
        if (m_isCalAbort)
            return failed("stopped", "Calibration stopped.");
        const bool read = domeReadInput();
        if (lostBoard(read, watch))
            return lost();
        if (!read)
            continue;
        if (turnTicks > kLeaveHomeTicks && m_domeIStat[kHome])
            break;
        if (countEdge(phase))
            ++turnTicks;
    }
    domeSetRelay('0', false);
    // The coast counts from the level read at home: that edge is the turn's.
    phase = !m_domeIStat[kEncoder];
    const auto coastEnd = now() + kLongestCoast;
    for (int i = 0; i < kCoastCycles && now() < coastEnd; ++i) {
        cycle(kCycle);
        const bool read = domeReadInput();
        if (lostBoard(read, watch))
            return lost();
        if (read && countEdge(phase))
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
    DomeBoardWatch watch(now());
    const auto end = now() + m_jobLimits.home;
    bool answering = true;
    while (answering && m_isFindHome && now() < end) {
        cycle(kHomeCycle);
        const std::optional<bool> home = readIsHome();
        answering = !lostBoard(home.has_value(), watch);
        if (!answering || !home.value_or(false))
            continue;
        domeSetRelay('0', false);
        if (m_isDomeBiDirection) {
            pauseTicks(kHomeWaitTicks);
            answering = domeNudgeHome(end, watch);
        }
        break;
    }
    if (!answering)
        stopMotors();
    endHomeSearch();
    if (!answering)
        announceLost();
}

bool DomeControl::domeNudgeHome(DomeBoardWatch::Clock::time_point end, DomeBoardWatch& watch)
{
    std::optional<bool> home = readIsHome();
    if (lostBoard(home.has_value(), watch))
        return false;
    if (home.value_or(false))
        return true;
    // Back against the coast.
    const char relay = m_isDomeEtoW ? '2' : '1';
    for (int step = 0; step < kNudges && now() < end; ++step) {
        pause(kSettle);
        domeNudgeRelay(relay);
        pause(kNudgeGap);
        home = readIsHome();
        if (lostBoard(home.has_value(), watch))
            return false;
        if (home.value_or(false) || !m_isFindHome) {
            domeNudgeRelay(relay);
            pause(kSettle);
            break;
        }
    }
    return true;
}

void DomeControl::relayJob(char relay)
{
    m_mount.setIsBlockPolling(true);
    domeSetRelay(relay, true);
    onMain([this] {
        if (m_view)
            m_view->setProgress(true);
    });
    DomeBoardWatch watch(now());
    bool answering = true;
    while (answering && m_isDomeRelayOn) {
        cycle(kCycle);
        answering = !lostBoard(domeReadTicks(), watch);
    }
    if (answering) {
        pause(kSettle);
        domeSetRelay('0', false);
        pause(kCycle);
        answering = coast(kAfterCoastCycles, watch);
    }
    if (!answering) {
        m_isDomeRelayOn = false;
        stopMotors();
    }
    endJob();
    if (!answering)
        announceLost();
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
    DomeBoardWatch watch(now());
    const auto end = now() + m_jobLimits.track;
    bool answering = true;
    while (answering && m_isDomeTrack && now() < end) {
        cycle(kCycle);
        const bool read = domeReadTicks();
        answering = !lostBoard(read, watch);
        if (!read)
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
            answering = coast(kAfterCoastCycles, watch);
            break;
        }
    }
    if (!answering)
        stopMotors();
    endJob();
    m_isTracking = false;
    if (!answering)
        announceLost();
}
