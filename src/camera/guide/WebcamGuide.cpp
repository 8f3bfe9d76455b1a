#include "camera/guide/WebcamGuide.h"

#include "platform/AlertPanel.h"

#include <algorithm>

WebcamGuide::WebcamGuide(GuideClock& clock, DebugWriter debug)
    : m_centroid(debug),
      m_clock(clock),
      m_debug(std::move(debug)),
      m_calStartTimer(clock.createTimer()),
      m_calTimer(clock.createTimer()),
      m_calSettleTimer(clock.createTimer()),
      m_calStopTimer(clock.createTimer()),
      m_returnEWTimer(clock.createTimer()),
      m_returnTriggerNSTimer(clock.createTimer()),
      m_returnNSTimer(clock.createTimer()),
      m_returnEndTimer(clock.createTimer()),
      m_guideStartTimer(clock.createTimer()),
      m_guideTimer(clock.createTimer()),
      m_ewSlewTimer(clock.createTimer()),
      m_nsSlewTimer(clock.createTimer()),
      m_ewSettleTimer(clock.createTimer()),
      m_nsSettleTimer(clock.createTimer()),
      m_phdNSTimer(clock.createTimer()),
      m_phdEWPulseTimer(clock.createTimer()),
      m_phdNSPulseTimer(clock.createTimer())
{
}

WebcamGuide::~WebcamGuide() = default;

void WebcamGuide::guideAction(int tag, bool shift)
{
    m_centroid.setDoHotPixel(shift);
    if (tag == 1) {
        if (m_isCalibrating) {
            m_calibrateStep = kCalStop;
            return;
        }
        // A calibration ends guiding, and with it the guide timer.
        stopGuideTimer();
        requestFrame();
        m_calStartTimer->start(250, false, [this] { startCalTimer(); });
    } else if (tag == 2) {
        if (m_isGuiding) {
            m_killGuideTimer = true;
            if (m_view)
                m_view->setGuideTitle("Start Autoguiding");
            setStatus(" ");
            return;
        }
        requestFrame();
        m_guideStartTimer->start(250, false, [this] { startGuideTimer(); });
    }
}

void WebcamGuide::calTimeAction(int tag, int value)
{
    const quint16 clamped = quint16(std::clamp(value, 0, 0xFFFF));
    // A drive of no time gives no rate to divide by.
    if (tag == 1 && clamped == 0)
        AlertPanel::beep();
    else if (tag == 1)
        m_calTime = clamped;
    else if (tag == 2)
        m_minMove = clamped;
}

void WebcamGuide::guideRateAction(int tag)
{
    m_guideRate = tag < 0.1 ? 0.2f : float(tag);
    setGuideRate();
}

void WebcamGuide::guideDecAction(int tag, bool on)
{
    if (tag == 1)
        m_isDecPlus = on;
    else if (tag == 2)
        m_isDecMinus = on;
}

void WebcamGuide::setCalibrateEnable(bool enabled)
{
    m_isCalibrateEnabled = enabled;
    if (m_view)
        m_view->setCalibrateEnabled(enabled);
}

void WebcamGuide::enableGuide(bool enabled)
{
    m_isCalibrateEnabled = enabled;
    if (m_view)
        m_view->setGuideControlsEnabled(enabled);
}

void WebcamGuide::resetRADriveFlags()
{
    m_isDrivingE = m_isDrivingW = false;
    if (!m_isDrivingN && !m_isDrivingS)
        m_isDriving = false;
}

void WebcamGuide::resetDecDriveFlags()
{
    m_isDrivingN = m_isDrivingS = false;
    if (!m_isDrivingE && !m_isDrivingW)
        m_isDriving = false;
}

void WebcamGuide::clearErrArrays()
{
    m_errXArray.fill(0.0f);
    m_errYArray.fill(0.0f);
}

bool WebcamGuide::frameIsFresh() const
{
    const FocusImage* source = m_centroid.frameSource();
    return source && source->hasFocusImage();
}

void WebcamGuide::requestFrame()
{
    if (FocusImage* source = m_centroid.frameSource())
        source->setHasFocusImage(false);
}

void WebcamGuide::releaseOutputs(bool useSlewStop, bool stopPulses)
{
    if (m_useGPUSB) {
        m_adapter->guideGPUSB(0, 0);
    } else if (!pulses() || stopPulses) {
        if (useSlewStop)
            slewStop(GuideMount::kStopAll);
        else
            slew(GuideMount::kStopAll);
    }
}

bool WebcamGuide::slew(int direction)
{
    return m_mount && m_mount->genericSlew(direction);
}

bool WebcamGuide::slewStop(int direction)
{
    return m_mount && m_mount->genericSlewStop(direction);
}

bool WebcamGuide::pulse(bool eastWest, int milliseconds)
{
    return m_mount && m_mount->pulseGuideLX200(eastWest, milliseconds);
}

void WebcamGuide::clearDirections()
{
    m_isDrivingE = m_isDrivingW = m_isDrivingN = m_isDrivingS = false;
}

void WebcamGuide::setStatus(const QString& text)
{
    m_status = text;
    if (m_view)
        m_view->setGuideStatus(text);
}

void WebcamGuide::stopGuideTimer()
{
    m_guideTimer->stop();
    m_killGuideTimer = false;
}
