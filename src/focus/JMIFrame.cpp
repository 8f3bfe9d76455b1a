#include "focus/JMIFrame.h"

#include "focus/CriticalFocusZone.h"
#include "focus/FocuserDisplay.h"
#include "focus/FocuserGauge.h"
#include "focus/JMIControl.h"
#include "mount/ScopeControl.h"
#include "platform/AlertPanel.h"

#include <algorithm>

using namespace JMIProtocol;

JMIFrame::JMIFrame(JMIControl& control, const Links& links, FocuserDisplay& display,
                   AutoFocusDisplay& curveDisplay, FocuserGauge& gauge, QObject* parent)
    : FocuserFrame(control, links, display, curveDisplay, parent),
      m_jmi(control),
      m_scope(links.scope),
      m_gauge(gauge)
{
}

void JMIFrame::debug(const QString& line) const
{
    m_scope.writeDebugFile(QStringLiteral("jmiWindow: ") + line);
}

void JMIFrame::focuserConnect()
{
    debug(m_jmi.isConnected() ? QStringLiteral("menu disconnect") : QStringLiteral("menu connect"));
    FocuserFrame::focuserConnect();
}

void JMIFrame::readStartUp()
{
    m_timerCount = 0;
    m_connectCount = 0;
    showStatusCode(m_jmi.jmiStatusRegister());
    // A compensated go-to needs to know which way it goes from the start.
    showPositionRead();
}

QString JMIFrame::connectFailedMessage() const
{
    return QStringLiteral("JMI connection failed.");
}

double JMIFrame::criticalFocusZone(double focalRatio) const
{
    return CriticalFocusZone::travelSteps(focalRatio, m_jmi.jmiMaxValue());
}

void JMIFrame::didDisconnect()
{
    m_gauge.showLevel(0);
    m_gauge.showMoving(false);
    m_connectCount = 0;
}

void JMIFrame::showStatusCode(int code)
{
    const QString text = statusText(code);
    if (!text.isEmpty())
        display().showStatus(text);
}

void JMIFrame::showPositionRead()
{
    if (!m_jmi.jmiGetPosition())
        return;
    display().showPosition(QString::asprintf("%.4d", int(m_jmi.jmiPosition())));
    m_gauge.showLevel(m_jmi.jmiMaxValue() == 0 ? 0 : m_jmi.jmiPosition() * 100 / m_jmi.jmiMaxValue());
}

void JMIFrame::updateTick()
{
    if (!m_jmi.isConnected()) {
        display().showStatus(QStringLiteral("Not Connected"));
        display().showPosition(QStringLiteral("----"));
        m_gauge.showLevel(0);
        return;
    }
    showPositionRead();
    m_gauge.showMoving(m_jmi.isJMIMove());
    if (++m_timerCount % kStatusEvery != 0)
        return;
    const int code = m_jmi.jmiStatusRegister();
    if (code == kStatusFailed) {
        if (++m_connectCount >= kLostAfter)
            loseConnection();
        return;
    }
    m_connectCount = 0;
    if (code == kStatusAtMax) {
        m_jmi.setIsJMIMove(false);
        m_gauge.showMoving(false);
    }
    showStatusCode(code);
}

void JMIFrame::loseConnection()
{
    FocuserFrame::focuserConnect();
    AlertPanel::runAlert(QStringLiteral("Lost connection with JMI"), QStringLiteral("disconnected"));
}

void JMIFrame::moveAction(int tag, int value)
{
    bool done = false;
    switch (tag) {
    case kIn:
        debug(QStringLiteral("in button"));
        done = m_jmi.isJMIMove() ? m_jmi.jmiStop() : m_jmi.jmiMoveIn();
        break;
    case kOut:
        debug(QStringLiteral("out button"));
        done = m_jmi.isJMIMove() ? m_jmi.jmiStop() : m_jmi.jmiMoveOut();
        break;
    case kGoto:
        debug(QStringLiteral("goto button: %1").arg(value));
        done = value >= 0 && value <= m_jmi.jmiMaxValue() && m_jmi.jmiGoto(quint16(value));
        break;
    case kStop:
        debug(QStringLiteral("stop button"));
        done = m_jmi.jmiStop();
        if (done)
            updateTick();
        break;
    default:
        return;
    }
    if (!done)
        AlertPanel::beep();
}

void JMIFrame::setupAction(int tag, int value, bool on)
{
    // The fields hold 16-bit counts; anything else is refused.
    const bool inRange = value >= 0 && value <= 0xFFFF;
    switch (tag) {
    case kZero:
        debug(QStringLiteral("set zero button"));
        if (!m_jmi.jmiSetZeroPosition())
            AlertPanel::beep();
        break;
    case kMax:
        debug(QStringLiteral("set max button: %1").arg(value));
        inRange ? m_jmi.setJMIMaxValue(quint16(value)) : AlertPanel::beep();
        break;
    case kInitialize:
        if (!AlertPanel::runChoice(QStringLiteral("Are you sure you want to do this?"), QStringLiteral(" "),
                                   QStringLiteral("OK"), QStringLiteral("Cancel")))
            return;
        debug(QStringLiteral("initialize button"));
        if (!m_jmi.jmiSetInitialize())
            AlertPanel::beep();
        break;
    case kBacklashBox:
        debug(on ? QStringLiteral("backlash checkbox:ON") : QStringLiteral("backlash checkbox:OFF"));
        m_jmi.setIsJMIBacklash(on);
        inRange ? m_jmi.setJMIBacklash(quint16(value)) : AlertPanel::beep();
        break;
    case kBacklashField:
        inRange ? m_jmi.setJMIBacklash(quint16(value)) : AlertPanel::beep();
        break;
    default:
        break;
    }
}

void JMIFrame::speedAction(int tag, int slider)
{
    m_jmi.setSpeedFactor(tag, slider);
}

void JMIFrame::moveIn()
{
    if (!m_jmi.isJMIMove() && !m_jmi.jmiMoveIn())
        AlertPanel::beep();
}

void JMIFrame::moveOut()
{
    if (!m_jmi.isJMIMove() && !m_jmi.jmiMoveOut())
        AlertPanel::beep();
}

void JMIFrame::stopMove()
{
    if (!m_jmi.jmiStop())
        AlertPanel::beep();
}

std::optional<quint16> JMIFrame::readFocusPosition()
{
    if (!m_jmi.jmiGetPosition())
        return std::nullopt;
    return m_jmi.jmiPosition();
}

std::optional<int> JMIFrame::moveInwardForRun(quint16 position, quint16 steps)
{
    // The sweep samples once the focuser says the move is done: no fixed wait.
    if (!m_jmi.jmiGoto(quint16(position - std::min(position, steps))))
        return std::nullopt;
    return 0;
}

std::optional<int> JMIFrame::advanceRun(quint16 steps)
{
    if (!m_jmi.jmiGetPosition())
        return std::nullopt;
    const int target = m_jmi.jmiPosition() + steps;
    if (target > 0xFFFF || !m_jmi.jmiGoto(quint16(target)))
        return std::nullopt;
    return 0;
}

bool JMIFrame::isReadyForSample()
{
    return m_jmi.jmiGetPosition() && !m_jmi.isJMIMove();
}

double JMIFrame::focusScale() const
{
    return m_jmi.jmiMaxValue();
}

bool JMIFrame::gotoBestFocus(quint16 position)
{
    return m_jmi.jmiGoto(position);
}
