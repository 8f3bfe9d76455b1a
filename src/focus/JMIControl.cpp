#include "focus/JMIControl.h"

#include "focus/JMISetupDisplay.h"
#include "model/settings/PrefControl.h"
#include "mount/SerialControl.h"
#include "platform/AlertPanel.h"

using namespace JMIProtocol;

namespace {

void tell(const JMIControl::Done& done, bool outcome)
{
    if (done)
        done(outcome);
}

ReplyEnd replyEnd(quint16 expected)
{
    return expected == 0 ? ReplyEnd{} : ReplyEnd::length(expected);
}

}  // namespace

JMIControl::JMIControl(SerialControl& serial, FocuserWorker& worker, PrefControl& prefs, QObject* parent)
    : FocuserControl(serial, worker, {kBaud, QStringLiteral("JMI"), &JMIControl::probe}, parent),
      m_prefs(prefs)
{
    m_moveTimer.setInterval(kMoveInterval);
    connect(&m_moveTimer, &QTimer::timeout, this, &JMIControl::jmiMoveTimer);
}

bool JMIControl::probe(const FocuserExchange& line)
{
    line.debug()(QStringLiteral("jmiControl: initJMIPort"));
    const Reply reply = line.send(command(kID), 2, ReplyEnd::length(2));
    if (isIDAnswer(reply))
        return true;
    line.debug()(QStringLiteral("jmiControl: IDRegister returned: %1").arg(firstByte(reply)));
    return false;
}

void JMIControl::send(const QByteArray& request, quint16 expected, std::function<void(const Reply&)> then)
{
    const bool watching = m_moveTimer.isActive();
    post(
        [request, expected, watching](const FocuserExchange& line) {
            Answer answer;
            answer.moveEnded = watching && line.serial().readJMIStream();
            answer.reply = line.send(request, expected, replyEnd(expected));
            return answer;
        },
        [this, then = std::move(then)](const Answer& answer) {
            if (answer.moveEnded)
                m_killBacklash = true;
            then(answer.reply);
        });
}

void JMIControl::savePrefs()
{
    m_prefs.saveJMIPrefs();
}

void JMIControl::disconnectPort()
{
    if (!isConnected() && !isConnecting())
        return;
    debug(QStringLiteral("jmiDisconnect"));
    m_moveTimer.stop();
    m_isStreamRead = false;
    m_isMove = false;
    m_doBacklash = false;
    FocuserControl::disconnectPort();
    savePrefs();
}

void JMIControl::jmiStatusRegister(std::function<void(int)> done)
{
    send(command(kStatus), 2, [this, done = std::move(done)](const Reply& reply) {
        const int code = statusCode(reply);
        if (code == kStatusBadEcho)
            debug(QStringLiteral("jmiStatusRegister returned: %1").arg(firstByte(reply)));
        if (done)
            done(code);
    });
}

void JMIControl::jmiGetPosition(Done done)
{
    send(command(kPosition), 3, [this, done = std::move(done)](const Reply& reply) {
        if (const std::optional<quint16> read = position(reply)) {
            m_position = *read;
            notePosition(m_position);
            tell(done, true);
            return;
        }
        if (isGotoComplete(reply)) {
            // The go-to's end came where the position was expected.
            m_killBacklash = true;
            debug(QStringLiteral("jmiGetPosition goto complete"));
        }
        tell(done, false);
    });
}

void JMIControl::simpleCommand(char letter, const QString& name, std::function<void(bool)> then)
{
    debug(name);
    send(command(letter), 1, [this, letter, name, then = std::move(then)](const Reply& reply) {
        const bool echoed = isEcho(reply, letter);
        if (!echoed)
            debug(QStringLiteral("%1 returned: %2").arg(name, firstByte(reply)));
        then(echoed);
    });
}

void JMIControl::jmiMoveIn(Done done)
{
    m_killBacklash = true;
    simpleCommand(kMoveIn, QStringLiteral("jmiMoveIn"), [this, done = std::move(done)](bool echoed) {
        if (echoed) {
            m_isMove = true;
            beginMove(MoveWatch::Path::direct(m_position, 0), MoveWatch::Ends::AtTarget);
        }
        tell(done, echoed);
    });
}

void JMIControl::jmiMoveOut(Done done)
{
    m_killBacklash = true;
    simpleCommand(kMoveOut, QStringLiteral("jmiMoveOut"), [this, done = std::move(done)](bool echoed) {
        if (echoed) {
            m_isMove = true;
            beginMove(MoveWatch::Path::direct(m_position, m_maxValue), MoveWatch::Ends::AtTarget);
        }
        tell(done, echoed);
    });
}

void JMIControl::jmiStop(Done done)
{
    m_killBacklash = true;
    // Asked now, whatever its echo does: where the focuser then stands is
    // no short end of the go-to, and no second leg follows.
    forgetArrival();
    m_doBacklash = false;
    simpleCommand(kStop, QStringLiteral("jmiStop"), [this, done = std::move(done)](bool echoed) {
        if (echoed) {
            m_isMove = false;
            endMove();
        }
        tell(done, echoed);
    });
}

void JMIControl::jmiGoto(quint16 target, Done done)
{
    debug(QStringLiteral("jmiGoto: %1").arg(target));
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
    sendGoto(leg, QStringLiteral("jmiGoto returned: %1"), [this, done = std::move(done)](bool sent) {
        if (!sent)
            m_doBacklash = false;
        tell(done, sent);
    });
}

void JMIControl::sendGoto(quint16 target, const QString& failure, Done done)
{
    send(command(kGoto, target), 1, [this, target, failure, done = std::move(done)](const Reply& reply) {
        if (!isEcho(reply, kGoto)) {
            debug(failure.arg(firstByte(reply)));
            tell(done, false);
            return;
        }
        m_isMove = true;
        m_legTarget = target;
        beginMove(m_position, target);
        // The go-to's last leg ends at its target.
        if (!m_doBacklash)
            expectArrivalAt(target);
        // A short move may end while its echo is still being read.
        if (reply->indexOf(kGotoComplete, 1) > 0 || reply->indexOf(kMoveEnd, 1) > 0)
            m_killBacklash = true;
        m_moveTimer.start();
        tell(done, true);
    });
}

void JMIControl::doGotoBacklash()
{
    m_doBacklash = false;
    debug(QStringLiteral("jmiGoto doing backlash out to: %1").arg(m_origVal));
    // The second leg is watched as the first was, so the move ends with it.
    m_killBacklash = false;
    sendGoto(m_origVal, QStringLiteral("jmiGoto backlash returned: %1"), [this](bool sent) {
        if (!sent) {
            m_isMove = false;
            endMove();
        }
    });
}

void JMIControl::jmiMoveTimer()
{
    if (!isConnected()) {
        m_moveTimer.stop();
        m_isMove = false;
        endMove();
        return;
    }
    if (m_killBacklash) {
        m_moveTimer.stop();
        // The leg has ended; a second one is watched from its own echo. The
        // next position read tells where the last one ended.
        if (m_doBacklash) {
            endMove();
            doGotoBacklash();
        } else {
            settleMove(std::nullopt);
            m_isMove = false;
        }
        return;
    }
    // One look at a time: a slow line gets no queue of them.
    if (m_isStreamRead)
        return;
    m_isStreamRead = true;
    // The end byte alone can go missing; a focuser standing on the leg's
    // target has ended the leg as surely.
    post(
        [](const FocuserExchange& line) {
            Answer answer;
            answer.moveEnded = line.serial().readJMIStream();
            if (!answer.moveEnded)
                answer.reply = line.send(command(kPosition), 3, ReplyEnd::length(3));
            return answer;
        },
        [this](const Answer& answer) {
            m_isStreamRead = false;
            const std::optional<quint16> read = position(answer.reply);
            if (read) {
                m_position = *read;
                notePosition(m_position);
            }
            const bool ended = answer.moveEnded || isGotoComplete(answer.reply) || read == m_legTarget;
            if (ended && m_moveTimer.isActive())
                m_killBacklash = true;
        });
}

void JMIControl::jmiSetZeroPosition(Done done)
{
    simpleCommand(kZero, QStringLiteral("jmiSetZeroPosition"), [this, done = std::move(done)](bool echoed) {
        if (echoed)
            savePrefs();
        tell(done, echoed);
    });
}

void JMIControl::jmiSetInitialize(Done done)
{
    simpleCommand(kInitialize, QStringLiteral("jmiSetInitialize"), std::move(done));
}

bool JMIControl::jmiSetSpeeds()
{
    if (!isConnected())
        return false;
    const QByteArray speeds = command(kPosnSpeed, m_speeds.posn) + command(kMoveSpeed, m_speeds.move)
                              + command(kShuttleSpeed, m_speeds.shuttle);
    post([speeds](const FocuserExchange& line) {
        for (qsizetype at = 0; at < speeds.size(); at += 3)
            line.send(speeds.mid(at, 3), 1, ReplyEnd::length(1));
    });
    return true;
}

void JMIControl::setJMIMaxValue(quint16 maximum)
{
    m_maxValue = maximum;
    m_speeds = JMISpeeds::forMaximum(maximum, m_slowAdj, m_fastAdj, m_ioAdj);
    if (m_display)
        m_display->setJMIMaxValueText(maximum);
    if (!isConnected()) {
        maxValueSent(false);
        return;
    }
    send(command(kMaximum, maximum), 1, [this](const Reply& reply) {
        const bool echoed = isEcho(reply, kMaximum);
        if (!echoed)
            debug(QStringLiteral("jmiSetMaxValue returned: %1").arg(firstByte(reply)));
        maxValueSent(echoed);
    });
}

void JMIControl::maxValueSent(bool sent)
{
    if (!sent) {
        if (m_display)
            m_display->setJMISpeedSlider(m_slowAdj, m_fastAdj, m_ioAdj);
        return;
    }
    jmiSetSpeeds();
    savePrefs();
    debug(QStringLiteral("setJMIMaxValue %1, %2, %3, %4")
              .arg(m_maxValue)
              .arg(m_speeds.posn)
              .arg(m_speeds.move)
              .arg(m_speeds.shuttle));
}

void JMIControl::setJMIBacklash(quint16 amount)
{
    if (amount > m_maxValue * 0.25) {
        AlertPanel::beep();
        // The field goes back to the amount in force.
        if (m_display)
            m_display->setJMIBacklashText(m_backlash);
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
    // The slider's new factor reaches the focuser now, not at the next maximum.
    m_speeds = JMISpeeds::forMaximum(m_maxValue, m_slowAdj, m_fastAdj, m_ioAdj);
    jmiSetSpeeds();
    savePrefs();
}

double JMIControl::slowestStepsPerSecond() const
{
    // Its speeds count steps a second: the slowest of the three this program set.
    return std::max(1, int(std::min({m_speeds.posn, m_speeds.move, m_speeds.shuttle})));
}
