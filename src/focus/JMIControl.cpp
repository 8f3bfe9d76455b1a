#include "focus/JMIControl.h"

#include "focus/JMISetupDisplay.h"
#include "model/settings/PrefControl.h"
#include "mount/SerialControl.h"
#include "platform/AlertPanel.h"

using namespace JMIProtocol;

JMIControl::JMIControl(SerialControl& serial, ScopeControl& scope, PrefControl& prefs)
    : FocuserControl(serial, scope, kBaud, QStringLiteral("JMI")), m_prefs(prefs)
{
    m_moveTimer.setInterval(kMoveInterval);
    QObject::connect(&m_moveTimer, &QTimer::timeout, &m_moveTimer, [this] { jmiMoveTimer(); });
}

Reply JMIControl::send(const QByteArray& request, quint16 expected)
{
    return exchange(request, expected);
}

void JMIControl::clearInput()
{
    // While a go-to is watched its end may be waiting in the input: reading
    // the stream empties the input as well, without losing that end.
    if (m_moveTimer.isActive()) {
        if (serial().readJMIStream())
            m_killBacklash = true;
        return;
    }
    serial().clearSerialBuffer(kSerialSlotFocuser);
}

void JMIControl::savePrefs()
{
    m_prefs.saveJMIPrefs();
}

void JMIControl::disconnectPort()
{
    if (!isConnected())
        return;
    debug(QStringLiteral("jmiDisconnect"));
    m_moveTimer.stop();
    m_isMove = false;
    m_doBacklash = false;
    FocuserControl::disconnectPort();
    savePrefs();
}

bool JMIControl::jmiIDRegister()
{
    debug(QStringLiteral("jmiIDRegister"));
    clearInput();
    const Reply reply = send(command(kID), 2);
    if (!isIDAnswer(reply)) {
        debug(QStringLiteral("IDRegister returned: %1").arg(firstByte(reply)));
        return false;
    }
    return true;
}

int JMIControl::jmiStatusRegister()
{
    clearInput();
    const Reply reply = send(command(kStatus), 2);
    const int code = statusCode(reply);
    if (code == kStatusBadEcho)
        debug(QStringLiteral("jmiStatusRegister returned: %1").arg(firstByte(reply)));
    return code;
}

bool JMIControl::jmiGetPosition()
{
    clearInput();
    const Reply reply = send(command(kPosition), 3);
    if (const std::optional<quint16> read = position(reply)) {
        m_position = *read;
        return true;
    }
    if (isGotoComplete(reply)) {
        // The go-to's end came where the position was expected.
        m_killBacklash = true;
        debug(QStringLiteral("jmiGetPosition goto complete"));
    }
    return false;
}

bool JMIControl::simpleCommand(char letter, const QString& name)
{
    debug(name);
    clearInput();
    const Reply reply = send(command(letter), 1);
    if (!isEcho(reply, letter)) {
        debug(QStringLiteral("%1 returned: %2").arg(name).arg(firstByte(reply)));
        return false;
    }
    return true;
}

bool JMIControl::jmiMoveIn()
{
    m_killBacklash = true;
    if (!simpleCommand(kMoveIn, QStringLiteral("jmiMoveIn")))
        return false;
    m_isMove = true;
    return true;
}

bool JMIControl::jmiMoveOut()
{
    m_killBacklash = true;
    if (!simpleCommand(kMoveOut, QStringLiteral("jmiMoveOut")))
        return false;
    m_isMove = true;
    return true;
}

bool JMIControl::jmiStop()
{
    m_killBacklash = true;
    if (!simpleCommand(kStop, QStringLiteral("jmiStop")))
        return false;
    m_isMove = false;
    m_doBacklash = false;
    return true;
}

bool JMIControl::jmiGoto(quint16 target)
{
    debug(QStringLiteral("jmiGoto: %1").arg(target));
    clearInput();
    m_doBacklash = false;
    m_origVal = target;
    // Each go-to waits for its own end, whatever ended the one before.
    m_killBacklash = false;
    quint16 leg = target;
    if (m_isBacklash && m_position > target) {
        m_doBacklash = true;
        leg = m_backlash > target ? 0 : quint16(target - m_backlash);
        debug(QStringLiteral("jmiGoto doing backlash in to: %1").arg(leg));
    }
    if (!sendGoto(leg, "jmiGoto returned: %1")) {
        m_doBacklash = false;
        return false;
    }
    return true;
}

bool JMIControl::sendGoto(quint16 target, const char* failure)
{
    const Reply reply = send(command(kGoto, target), 1);
    if (!isEcho(reply, kGoto)) {
        debug(QString::fromLatin1(failure).arg(firstByte(reply)));
        return false;
    }
    m_isMove = true;
    // A short move may end while its echo is still being read.
    if (reply->indexOf(kGotoComplete, 1) > 0 || reply->indexOf(kMoveEnd, 1) > 0)
        m_killBacklash = true;
    m_moveTimer.start();
    return true;
}

bool JMIControl::doGotoBacklash()
{
    if (!m_doBacklash)
        return false;
    m_doBacklash = false;
    debug(QStringLiteral("jmiGoto doing backlash out to: %1").arg(m_origVal));
    // The second leg is watched as the first was, so the move ends with it.
    m_killBacklash = false;
    if (!sendGoto(m_origVal, "jmiGoto backlash returned: %1")) {
        m_isMove = false;
        return false;
    }
    return true;
}

void JMIControl::jmiMoveTimer()
{
    if (!isConnected()) {
        m_moveTimer.stop();
        m_isMove = false;
        return;
    }
    if (!serial().readJMIStream() && !m_killBacklash)
        return;
    m_moveTimer.stop();
    if (m_doBacklash) {
        doGotoBacklash();
        return;
    }
    m_isMove = false;
}

bool JMIControl::jmiSetZeroPosition()
{
    if (!simpleCommand(kZero, QStringLiteral("jmiSetZeroPosition")))
        return false;
    savePrefs();
    return true;
}

bool JMIControl::jmiSetInitialize()
{
    return simpleCommand(kInitialize, QStringLiteral("jmiSetInitialize"));
}

bool JMIControl::jmiSetMaxValue()
{
    if (!isConnected())
        return false;
    const Reply reply = send(command(kMaximum, m_maxValue), 1);
    if (!isEcho(reply, kMaximum)) {
        debug(QStringLiteral("jmiSetMaxValue returned: %1").arg(firstByte(reply)));
        return false;
    }
    return true;
}

bool JMIControl::jmiSetSpeeds()
{
    if (!isConnected())
        return false;
    // The focuser's answers to the speeds carry nothing to check.
    send(command(kPosnSpeed, m_speeds.posn), 1);
    send(command(kMoveSpeed, m_speeds.move), 1);
    send(command(kShuttleSpeed, m_speeds.shuttle), 1);
    return true;
}

void JMIControl::setJMIMaxValue(quint16 maximum)
{
    m_maxValue = maximum;
    const bool sent = jmiSetMaxValue();
    m_speeds = JMISpeeds::forMaximum(maximum, m_slowAdj, m_fastAdj, m_ioAdj);
    if (m_display)
        m_display->setJMIMaxValueText(maximum);
    if (sent) {
        jmiSetSpeeds();
        savePrefs();
        debug(QStringLiteral("setJMIMaxValue %1, %2, %3, %4")
                  .arg(maximum)
                  .arg(m_speeds.posn)
                  .arg(m_speeds.move)
                  .arg(m_speeds.shuttle));
    } else if (m_display) {
        m_display->setJMISpeedSlider(m_slowAdj, m_fastAdj, m_ioAdj);
    }
}

void JMIControl::setJMIBacklash(quint16 amount)
{
    if (amount > m_maxValue * 0.25) {
        AlertPanel::beep();
        return;
    }
    m_backlash = amount;
    if (m_display)
        m_display->setJMIBacklashText(amount);
    savePrefs();
}

void JMIControl::setIsJMIBacklash(bool on)
{
    m_isBacklash = on;
    if (m_display)
        m_display->setJMIBacklashButton(on);
    savePrefs();
}

void JMIControl::setSpeedFactor(int tag, int slider)
{
    const float factor = JMISpeedSlider::factor(slider);
    switch (tag) {
    case 1: m_slowAdj = factor; break;
    case 2: m_fastAdj = factor; break;
    case 3: m_ioAdj = factor; break;
    default: break;
    }
    jmiSetSpeeds();
    savePrefs();
}
