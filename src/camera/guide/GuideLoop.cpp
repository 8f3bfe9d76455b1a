#include "camera/guide/WebcamGuide.h"

#include <algorithm>
#include <cmath>

namespace {

// After a slew stops, the next command waits this long (15 ticks).
constexpr int kSlewSettleMs = 250;

float deadBandOf(bool adapter, bool pulses)
{
    return adapter || pulses ? 0.1f : 0.25f;
}

// Bounded before the conversion: a float beyond int's range has no int.
int eastNorthPulse(float seconds)
{
    return int(std::min(seconds * 1000.0f, float(WebcamGuide::kLongPulse)));
}

int westSouthPulse(float seconds)
{
    return int(std::max(seconds * -1000.0f, -float(WebcamGuide::kLongPulse)));
}

bool isCorrection(float seconds)
{
    return std::isfinite(seconds) && std::fabs(seconds) <= WebcamGuide::kLongestCorrection;
}

}  // namespace

void WebcamGuide::startGuideTimer()
{
    if (guide(true)) {
        if (m_view)
            m_view->setGuideTitle("Stop autoguiding");
    } else {
        setStatus("Failed to locate guide star.");
    }
}

void WebcamGuide::runGuideTimer()
{
    if (m_killGuideTimer) {
        stopGuideTimer();
        m_useGPUSB = adapterConnected();
        releaseOutputs(false, true);
        m_isGuiding = false;
        return;
    }
    if (m_isGuiding && frameIsFresh())
        guide(false);
}

void WebcamGuide::setGuideRate()
{
    if (!m_isCalibrated)
        return;
    m_guideTimer->stop();
    m_killGuideTimer = false;
    m_isDriving = false;
    clearDirections();
    m_isX = true;
    m_useGPUSB = adapterConnected();
    releaseOutputs(true, true);
    m_debug([&] { return QString::asprintf("setGuideRate: %.1f sec", m_guideRate); });
    if (m_isGuiding)
        m_guideTimer->start(guideMilliseconds(m_guideRate), true, [this] { runGuideTimer(); });
}

bool WebcamGuide::guide(bool start)
{
    m_useGPUSB = adapterConnected();
    const float deadBand = deadBandOf(m_useGPUSB, pulses());
    if (!frameIsFresh())
        return false;
    if (!m_isCalibrated) {
        m_killGuideTimer = true;
        m_isX = true;
        setStatus("Calibrate first.");
        return false;
    }
    if (start) {
        m_killGuideTimer = false;
        m_lostCount = 0;
        m_isDriving = false;
        clearDirections();
        m_isX = true;
        releaseOutputs(true, false);
        m_clickPt = starCentroid({});
        if (m_clickPt.isZero())
            return false;
        requestFrame();
        m_isGuiding = true;
        setStatus("Guiding...");
        m_debug("\rGuide initialize");
        m_guideTimer->start(guideMilliseconds(m_guideRate), true, [this] { runGuideTimer(); });
        return true;
    }
    if (m_isDriving) {
        requestFrame();
        return true;
    }
    if (m_isX) {
        bool done = false;
        if (!measureAndCorrect(deadBand, done))
            return false;
        if (done)
            return true;
    }
    if (!m_isX && !m_useGPUSB)
        correctDec();
    setStatus(QString::asprintf("Guiding...\r(%.2f/%.2f sec)", m_xDriveTime, m_yDriveTime));
    m_isX = m_useGPUSB ? true : !m_isX;
    requestFrame();
    return true;
}

bool WebcamGuide::measureAndCorrect(float deadBand, bool& done)
{
    m_calCurrentPt = starCentroid(m_clickPt);
    if (m_calCurrentPt.isZero()) {
        if (++m_lostCount < kLostAfter)
            return false;
        lostStar();
        m_debug("Lost guide star");
        m_lostCount = 1;
        return false;
    }
    if (m_lostCount != 0) {
        setStatus("Found guide star");
        m_lostCount = 0;
    }
    const float dx = m_calCurrentPt.x - m_clickPt.x;
    const float dy = m_calCurrentPt.y - m_clickPt.y;
    m_debug([&] { return QString::asprintf("Guide errXPt: %.3f errYPt: %.3f", dx, dy); });
    if (std::fabs(dx) > kGuideWindow || std::fabs(dy) > kGuideWindow) {
        if (++m_lostCount >= kLostAfter)
            setStatus("Lost guide star");
        releaseOutputs(true, false);
        m_debug("Lost guide star - outside GuideRect");
        return false;
    }
    m_errX = dx * m_guideCosA - dy * m_guideSinA;
    m_errY = dx * m_guideSinA + dy * m_guideCosA;
    m_debug([&] { return QString::asprintf("Guide errX: %.3f errY: %.3f", m_errX, m_errY); });
    if (std::fabs(m_errX) < deadBand)
        m_errX = 0;
    if (std::fabs(m_errY) < deadBand)
        m_errY = 0;
    record();
    if (m_errX == 0 && m_errY == 0) {
        setStatus("Guiding...");
        clearDirections();
        done = true;
        return true;
    }

    m_xDriveTime = -m_guideGain * m_errX / m_xDrive;
    m_isDrivingE = m_xDriveTime >= deadBand;
    m_isDrivingW = m_xDriveTime <= -deadBand;
    if (m_isDrivingW && !m_useGPUSB)
        m_xDriveTime = -m_xDriveTime;

    m_yDriveTime = -m_guideGain * m_errY / m_yDrive;
    const bool ahead = m_yDriveTime >= deadBand;
    const bool back = m_yDriveTime <= -deadBand;
    m_isDrivingN = m_isDecPlus && ((ahead && m_yDrive >= 0) || (back && m_yDrive < 0));
    m_isDrivingS = m_isDecMinus && ((ahead && m_yDrive < 0) || (back && m_yDrive > 0));
    if (back && (m_isDrivingN || m_isDrivingS) && !m_useGPUSB)
        m_yDriveTime = -m_yDriveTime;
    m_debug([&] {
        return QString::asprintf("Guide xDriveTime: %.3f yDriveTime: %.3f gain: %.1f", m_xDriveTime, m_yDriveTime,
                                 m_guideGain);
    });

    if (m_useGPUSB) {
        // Both axes at once, whatever the boxes say; a gain of 0 sends nothing timed.
        m_isDriving = m_xDriveTime != 0 || m_yDriveTime != 0;
        if (!m_adapter->guideGPUSB(m_xDriveTime, m_yDriveTime))
            m_debug("gpusb drive failed");
        return true;
    }
    if (m_isDrivingE || m_isDrivingW) {
        m_isDriving = true;
        if (pulses())
            pulse(true, m_isDrivingE ? eastNorthPulse(m_xDriveTime) : westSouthPulse(m_xDriveTime));
        else
            slew(m_isDrivingE ? GuideMount::kEast : GuideMount::kWest);
        m_ewSlewTimer->start(guideMilliseconds(m_xDriveTime), false, [this] { runEWSlewTimer(); });
        m_debug(m_isDrivingE ? "xDrive timer East" : "xDrive timer West");
    } else {
        m_isX = false;
    }
    return true;
}

void WebcamGuide::correctDec()
{
    if (!m_isDrivingN && !m_isDrivingS)
        return;
    m_isDriving = true;
    if (pulses())
        pulse(false, m_isDrivingN ? eastNorthPulse(m_yDriveTime) : westSouthPulse(m_yDriveTime));
    else
        slew(m_isDrivingN ? GuideMount::kNorth : GuideMount::kSouth);
    m_nsSlewTimer->start(guideMilliseconds(m_yDriveTime), false, [this] { runNSSlewTimer(); });
    m_debug(m_isDrivingN ? "yDrive timer North" : "yDrive timer South");
}

void WebcamGuide::record()
{
    if (!m_isLumarikTrend)
        return;
    std::copy_backward(m_errXArray.begin(), m_errXArray.end() - 1, m_errXArray.end());
    std::copy_backward(m_errYArray.begin(), m_errYArray.end() - 1, m_errYArray.end());
    m_errXArray[0] = m_errX;
    m_errYArray[0] = m_errY;
    if (m_isLumarikTrendUpdate && m_controller)
        m_controller->requestGuideData();
}

void WebcamGuide::lostStar()
{
    setStatus("Lost guide star");
    releaseOutputs(true, false);
}

void WebcamGuide::runEWSlewTimer()
{
    if (!pulses())
        slewStop(m_isDrivingE ? GuideMount::kEast : GuideMount::kWest);
    m_ewSettleTimer->start(kSlewSettleMs, false, [this] {
        m_isDrivingW = m_isDrivingE = m_isDriving = false;
        guide(false);
    });
}

void WebcamGuide::runNSSlewTimer()
{
    if (!pulses())
        slewStop(m_isDrivingN ? GuideMount::kNorth : GuideMount::kSouth);
    m_nsSettleTimer->start(kSlewSettleMs, false, [this] {
        m_isDrivingS = m_isDrivingN = m_isDriving = false;
    });
}

bool WebcamGuide::phdGuideControl(float eastWest, float northSouth)
{
    if (!isCorrection(eastWest) || !isCorrection(northSouth)) {
        m_debug([&] { return QString::asprintf("phdGuide refused EW: %g, NS: %g", eastWest, northSouth); });
        return false;
    }
    m_useGPUSB = adapterConnected();
    m_isDriving = false;
    clearDirections();
    if (m_useGPUSB) {
        m_isDriving = true;
        m_adapter->guideGPUSB(eastWest, northSouth);
        m_debug([&] { return QString::asprintf("phdGuide GPUSB EW: %.3f, NS: %.3f", eastWest, northSouth); });
        return true;
    }
    if (eastWest != 0) {
        const bool east = eastWest > 0;
        m_isDriving = true;
        (east ? m_isDrivingE : m_isDrivingW) = true;
        if (pulses()) {
            const int ms = east ? eastNorthPulse(eastWest) : westSouthPulse(-eastWest);
            pulse(true, ms);
            m_debug([&] {
                return QString::asprintf(east ? "phdGuide East Pulse: %04d ms" : "phdGuide West Pulse: %04d ms", ms);
            });
            // A pulse ends by itself: the flags go when it has run.
            m_phdEWPulseTimer->start(guideMilliseconds(std::fabs(eastWest)), false, [this] { resetRADriveFlags(); });
        } else {
            slew(east ? GuideMount::kEast : GuideMount::kWest);
            m_ewSlewTimer->start(guideMilliseconds(std::fabs(eastWest)), false, [this] { runEWSlewTimer(); });
            m_debug([&] {
                return QString::asprintf(east ? "phdGuide East Slew: %.3f sec" : "phdGuide West Slew: %.3f sec",
                                         std::fabs(eastWest));
            });
        }
    }
    if (northSouth != 0)
        m_phdNSTimer->start(kSlewSettleMs, false, [this, northSouth] { phdNorthSouth(northSouth); });
    return true;
}

void WebcamGuide::phdNorthSouth(float northSouth)
{
    const bool north = northSouth > 0;
    m_isDriving = true;
    (north ? m_isDrivingN : m_isDrivingS) = true;
    if (pulses()) {
        const int ms = north ? eastNorthPulse(northSouth) : westSouthPulse(-northSouth);
        pulse(false, ms);
        m_debug([&] {
            return QString::asprintf(north ? "phdGuide North Pulse: %04d ms" : "phdGuide South Pulse: %04d ms", ms);
        });
        m_phdNSPulseTimer->start(guideMilliseconds(std::fabs(northSouth)), false, [this] { resetDecDriveFlags(); });
        return;
    }
    slew(north ? GuideMount::kNorth : GuideMount::kSouth);
    m_nsSlewTimer->start(guideMilliseconds(std::fabs(northSouth)), false, [this] { runNSSlewTimer(); });
    m_debug([&] {
        return QString::asprintf(north ? "phdGuide North Slew: %.3f sec" : "phdGuide South Slew: %.3f sec",
                                 std::fabs(northSouth));
    });
}
