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
    m_jmi.jmiStatusRegister([this](int code) { showStatusCode(code); });
    // A compensated go-to needs to know which way it goes from the start.
    m_jmi.jmiGetPosition([this](bool read) {
        if (read)
            showPosition();
    });
}

QString JMIFrame::focuserName() const
{
    return QStringLiteral("JMI");
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
}

void JMIFrame::beepUnless(bool done)
{
    if (!done)
        AlertPanel::beep();
}

void JMIFrame::showStatusCode(int code)
{
    const QString text = statusText(code);
    if (!text.isEmpty())
        display().showStatus(text);
}

void JMIFrame::showPosition()
{
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
    m_jmi.jmiGetPosition([this](bool read) {
        if (read)
            showPosition();
        m_gauge.showMoving(m_jmi.isJMIMove());
    });
    if (++m_timerCount % kStatusEvery == 0)
        m_jmi.jmiStatusRegister([this](int code) { statusRead(code); });
}

void JMIFrame::statusRead(int code)
{
    noteRead(code != kStatusFailed);
    if (code == kStatusFailed)
        return;
    if (code == kStatusAtMax) {
        m_jmi.setIsJMIMove(false);
        m_gauge.showMoving(false);
    }
    showStatusCode(code);
}

void JMIFrame::moveAction(int tag, int value)
{
    switch (tag) {
    case kIn:
        debug(QStringLiteral("in button"));
        m_jmi.isJMIMove() ? m_jmi.jmiStop(beepUnless) : m_jmi.jmiMoveIn(beepUnless);
        break;
    case kOut:
        debug(QStringLiteral("out button"));
        m_jmi.isJMIMove() ? m_jmi.jmiStop(beepUnless) : m_jmi.jmiMoveOut(beepUnless);
        break;
    case kGoto:
        debug(QStringLiteral("goto button: %1").arg(value));
        if (value < 0 || value > m_jmi.jmiMaxValue())
            AlertPanel::beep();
        else
            m_jmi.jmiGoto(quint16(value), beepUnless);
        break;
    case kStop:
        debug(QStringLiteral("stop button"));
        m_jmi.jmiStop([this](bool stopped) {
            beepUnless(stopped);
            // The window shows the stop at once.
            if (stopped)
                updateTick();
        });
        break;
    default:
        break;
    }
}

void JMIFrame::setupAction(int tag, int value, bool on)
{
    // The fields hold 16-bit counts; anything else is refused.
    const bool inRange = value >= 0 && value <= 0xFFFF;
    switch (tag) {
    case kZero:
        debug(QStringLiteral("set zero button"));
        m_jmi.jmiSetZeroPosition(beepUnless);
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
        m_jmi.jmiSetInitialize(beepUnless);
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

void JMIFrame::windowClosed()
{
    m_jmi.savePrefs();
}

void JMIFrame::speedAction(int tag, int slider)
{
    m_jmi.setSpeedFactor(tag, slider);
}

void JMIFrame::moveIn()
{
    if (!m_jmi.isJMIMove())
        m_jmi.jmiMoveIn(beepUnless);
}

void JMIFrame::moveOut()
{
    if (!m_jmi.isJMIMove())
        m_jmi.jmiMoveOut(beepUnless);
}

void JMIFrame::stopMove()
{
    m_jmi.jmiStop(beepUnless);
}

void JMIFrame::readFocusPosition(PositionRead done)
{
    m_jmi.jmiGetPosition([this, done = std::move(done)](bool read) {
        done(read ? std::optional<quint16>(m_jmi.jmiPosition()) : std::nullopt);
    });
}

void JMIFrame::moveInwardForRun(quint16 position, quint16 steps, MoveDone done)
{
    // The sweep samples once the focuser says the move is done: no fixed wait.
    m_jmi.jmiGoto(quint16(position - std::min(position, steps)), [done = std::move(done)](bool sent) {
        done(sent ? std::optional<int>(0) : std::nullopt);
    });
}

void JMIFrame::advanceRun(quint16 steps, MoveDone done)
{
    m_jmi.jmiGetPosition([this, steps, done = std::move(done)](bool read) {
        const int target = m_jmi.jmiPosition() + steps;
        if (!read || target > 0xFFFF) {
            done(std::nullopt);
            return;
        }
        m_jmi.jmiGoto(quint16(target), [done](bool sent) { done(sent ? std::optional<int>(0) : std::nullopt); });
    });
}

bool JMIFrame::isReadyForSample()
{
    return !m_jmi.isJMIMove();
}

double JMIFrame::focusScale() const
{
    return m_jmi.jmiMaxValue();
}

void JMIFrame::gotoBestFocus(quint16 position)
{
    m_jmi.jmiGoto(position, beepUnless);
}

bool JMIFrame::haltMove()
{
    m_jmi.jmiStop({});
    return true;
}

std::optional<quint16> JMIFrame::lastKnownPosition() const
{
    return m_jmi.jmiPosition();
}
