#include "camera/guide/CalibrationResult.h"
#include "camera/guide/WebcamGuide.h"

#include <cmath>

namespace {

constexpr double kDegrees = 57.2957795130823;
// The drive's end is measured once the mount has settled for this long.
constexpr int kSettleMs = 1000;
// The short pulses that end long ones go this far apart, one per axis.
constexpr int kStopPulseGapMs = 250;
constexpr int kEndPulseMs = 30;
constexpr int kReturnNorthDelayMs = 250;

}  // namespace

void WebcamGuide::startCalTimer()
{
    m_calibrateStep = kCalStart;
    m_isCalSettling = false;
    m_calTimer->start(100, true, [this] { runCalTimer(); });
    calibrate();
}

void WebcamGuide::runCalTimer()
{
    if (frameIsFresh())
        calibrate();
}

void WebcamGuide::setCalibrating(bool calibrating)
{
    m_isCalibrating = calibrating;
    m_centroid.setQuiet(calibrating);
}

void WebcamGuide::calibrate()
{
    m_useGPUSB = adapterConnected();
    if (!frameIsFresh())
        return;
    if (m_isCalSettling && m_calibrateStep != kCalStop)
        return;
    switch (m_calibrateStep) {
    case kCalStart: calStart(); break;
    case kCalEast: calDrive(true); break;
    case kCalNorth: calDrive(false); break;
    case kCalCompute: calCompute(); break;
    case kCalStop: calStop(); break;
    default: break;
    }
    requestFrame();
}

void WebcamGuide::driveEast()
{
    if (m_useGPUSB)
        m_adapter->lockGPUSB(m_calTime, 0);
    else if (pulses())
        pulse(true, kLongPulse);
    else
        slew(GuideMount::kEast);
}

void WebcamGuide::driveNorth()
{
    if (m_useGPUSB)
        m_adapter->lockGPUSB(0, m_calTime);
    else if (pulses())
        pulse(false, kLongPulse);
    else
        slew(GuideMount::kNorth);
}

void WebcamGuide::calStart()
{
    if (m_view) {
        m_view->setGuideEnabled(false);
        m_view->setCalibrateTitle("Abort");
    }
    setCalibrating(true);
    m_isCalibrated = false;
    m_isGuiding = false;
    m_stepCounter = 0;
    m_calStartPt = starCentroid({});
    if (m_calStartPt.isZero())
        m_calStartPt = starCentroid({});
    if (m_calStartPt.isZero()) {
        m_calibrateStep = kCalStop;
    } else {
        if (pulses())
            m_pulseTime = m_calTime * 1000;
        m_calCurrentPt = m_calStartPt;
        m_calibrateStep = kCalEast;
        driveEast();
        m_isCalDriving = false;
    }
    setStatus("Starting Calibration...");
    m_debug("\rStart Calibration");
    if (pulses())
        m_debug([&] { return QString::asprintf("pulseTime: %d ms", m_pulseTime); });
}

void WebcamGuide::waitForBacklash(bool east)
{
    ++m_stepCounter;
    if (pulses() && m_stepCounter % kBacklashResend == 0)
        pulse(east, kLongPulse);
    setStatus(east ? "Waiting on RA backlash..." : "Waiting on Dec backlash...");
}

void WebcamGuide::calDrive(bool east)
{
    if (m_stepCounter > kMostBacklashFrames) {
        m_calibrateStep = kCalStop;
        return;
    }
    const GuidePoint current = starCentroid({});
    const bool timeUp = m_isCalDriving && m_clock.elapsedMs() - m_driveStartMs >= qint64(m_calTime) * 1000;
    // A frame without a measurement is no position: it counts as a waiting
    // frame, and a drive whose end it is cannot be measured.
    if (current.isZero()) {
        if (!m_isCalDriving) {
            waitForBacklash(east);
        } else if (timeUp) {
            m_debug("Calibration drive end not measured");
            m_calibrateStep = kCalStop;
        }
        return;
    }
    m_calCurrentPt = current;
    if (m_calStartPt.isZero())
        m_calStartPt = current;
    const float moved = std::fabs(current.x - m_calStartPt.x) + std::fabs(current.y - m_calStartPt.y);
    if (!m_isCalDriving) {
        if (moved < m_minMove) {
            waitForBacklash(east);
            return;
        }
        m_isCalDriving = true;
        m_stepCounter = 0;
        m_calStartPt = current;
        if (m_useGPUSB) {
            m_adapter->guideGPUSB(east ? m_calTime : 0, east ? 0 : m_calTime);
        } else if (pulses()) {
            pulse(east, m_pulseTime);
            m_debug([&] { return QString::asprintf("Webcam sent to pulse guide: %d ms", m_pulseTime); });
        }
        m_driveStartMs = m_clock.elapsedMs();
        setStatus(east ? "Calibrating RA..." : "Calibrating Dec...");
        m_debug([&] { return QString::asprintf("Start Pt x: %.3f y: %.3f", current.x, current.y); });
        return;
    }
    if (!timeUp)
        return;
    setStatus("Calculating...");
    m_isCalDriving = false;
    const float vx = (current.x - m_calStartPt.x) / float(m_calTime);
    const float vy = (current.y - m_calStartPt.y) / float(m_calTime);
    if (!m_useGPUSB && !pulses())
        slew(GuideMount::kStopAll);
    m_debug([&] { return QString::asprintf("Stop Pt x: %.3f y: %.3f", current.x, current.y); });
    if (east) {
        m_xXDrive = vx;
        m_yXDrive = vy;
        m_debug([&] { return QString::asprintf("Cal East xXDrive: %.3f yXDrive: %.3f", vx, vy); });
        m_isCalSettling = true;
        m_calSettleTimer->start(kSettleMs, false, [this] { finishEastDrive(); });
    } else {
        m_xYDrive = vx;
        m_yYDrive = vy;
        m_debug([&] { return QString::asprintf("Cal North xYDrive: %.3f yYDrive: %.3f", vx, vy); });
        m_calibrateStep = kCalCompute;
    }
}

void WebcamGuide::finishEastDrive()
{
    m_isCalSettling = false;
    if (m_calibrateStep != kCalEast)
        return;
    m_calStartPt = starCentroid({});
    m_useGPUSB = adapterConnected();
    driveNorth();
    m_calibrateStep = kCalNorth;
}

void WebcamGuide::calCompute()
{
    setStatus("Calculating calibration data...");
    const CalibrationResult r = CalibrationResult::compute(m_xXDrive, m_yXDrive, m_xYDrive, m_yYDrive);
    m_debug([&] {
        return QString::asprintf("Cal Raw angleX: %.3f angleY: %.3f", r.angleA * kDegrees, r.angleB0 * kDegrees);
    });
    m_debug([&] { return QString::asprintf("Cal Raw cosA: %.3f sinA: %.3f", std::cos(r.angleA), std::sin(r.angleA)); });
    m_debug([&] { return QString::asprintf("Cal Raw cosB: %.3f sinB: %.3f", std::cos(r.angleB), std::sin(r.angleB)); });
    m_debug([&] { return QString::asprintf("Cal Raw xDrive: %.3f yDrive: %.3f\r", r.rawX, r.rawY); });
    m_guideCosA = r.guideCosA;
    m_guideSinA = r.guideSinA;
    m_guideCosB = r.guideCosB;
    m_guideSinB = r.guideSinB;
    m_xDrive = r.xDrive;
    m_yDrive = r.yDrive;
    m_debug([&] {
        return QString::asprintf("Cal Final angleX: %.3f angleY: %.3f", r.angleA * kDegrees, r.angleB * kDegrees);
    });
    m_debug([&] { return QString::asprintf("Cal Final cosA: %.3f sinA: %.3f", r.guideCosA, r.guideSinA); });
    m_debug([&] { return QString::asprintf("Cal Final cosB: %.3f sinB: %.3f", r.guideCosB, r.guideSinB); });
    m_debug([&] { return QString::asprintf("Cal Final xDrive: %.3f yDrive: %.3f\r", r.xDrive, r.yDrive); });
    if (r.verdict == CalibrationResult::Verdict::DriveOutsideBounds) {
        m_debug("calbration err. Drive outside bounds");
        m_calibrateStep = kCalStop;
        return;
    }
    if (r.verdict == CalibrationResult::Verdict::RatioOutsideBounds) {
        m_debug("calbration err. Drive ratio outside bounds");
        m_calibrateStep = kCalStop;
        return;
    }
    m_isCalibrated = true;
    m_clickPt = {};
    m_isGuiding = false;
    if (m_view) {
        m_view->setGuideEnabled(true);
        m_view->setCalibrateTitle("Calibrate");
    }
    setStatus("Calibration was successful.");
    m_calTimer->stop();
    returnToStart();
    clearErrArrays();
}

void WebcamGuide::returnToStart()
{
    const float back = -float(m_calTime);
    if (m_useGPUSB) {
        m_adapter->guideGPUSB(back, back);
        setCalibrating(false);
        return;
    }
    const int driveMs = m_calTime * 1000;
    if (pulses()) {
        pulse(true, -m_pulseTime);
    } else {
        slew(GuideMount::kWest);
        m_returnEWTimer->start(driveMs, false, [this] { slewStop(GuideMount::kWest); });
    }
    m_returnTriggerNSTimer->start(kReturnNorthDelayMs, false, [this, driveMs] {
        if (pulses()) {
            pulse(false, -m_pulseTime);
            return;
        }
        slew(GuideMount::kSouth);
        m_returnNSTimer->start(driveMs, false, [this] { slewStop(GuideMount::kSouth); });
    });
    m_returnEndTimer->start(driveMs + 500, false, [this] { setCalibrating(false); });
}

void WebcamGuide::calStop()
{
    if (m_useGPUSB) {
        m_adapter->guideGPUSB(0, 0);
    } else if (pulses()) {
        pulse(true, kEndPulseMs);
        m_calStopTimer->start(kStopPulseGapMs, false, [this] { pulse(false, kEndPulseMs); });
    } else {
        slew(GuideMount::kStopAll);
    }
    m_calSettleTimer->stop();
    m_isCalSettling = false;
    m_isCalDriving = false;
    setCalibrating(false);
    m_isCalibrated = false;
    m_isGuiding = false;
    if (m_view)
        m_view->setCalibrateTitle("Calibrate");
    setStatus("Calibration failed");
    m_calTimer->stop();
    m_debug("Calibration Failed");
}
