#include "focus/MoonLiteControl.h"

#include "model/settings/PrefControl.h"

using namespace MoonLiteProtocol;

namespace {

// The first `count` reply bytes as the debug log shows them.
QString shown(const Reply& reply, int count)
{
    const QByteArray bytes = reply ? reply->left(count) : QByteArray();
    return QString::fromLatin1(bytes.leftJustified(count, ' '));
}

template <typename Value>
void answer(const MoonLiteControl::Then<Value>& done, std::optional<Value> value)
{
    if (done)
        done(std::move(value));
}

}  // namespace

MoonLiteControl::MoonLiteControl(SerialControl& serial, FocuserWorker& worker, PrefControl& prefs,
                                 std::chrono::microseconds tick, QObject* parent)
    : FocuserControl(serial, worker, {kBaud, QStringLiteral("MoonLite"), &MoonLiteControl::connectTest}, parent),
      m_prefs(prefs)
{
    const auto settle = std::chrono::duration_cast<std::chrono::milliseconds>(tick * kSettleTicks);
    m_gotoTimer.setSingleShot(true);
    m_gotoTimer.setInterval(settle);
    connect(&m_gotoTimer, &QTimer::timeout, this, &MoonLiteControl::moonGoto);
    m_tempTimer.setSingleShot(true);
    m_tempTimer.setInterval(settle);
    connect(&m_tempTimer, &QTimer::timeout, this, &MoonLiteControl::readTemperature);
}

bool MoonLiteControl::connectTest(const FocuserExchange& line)
{
    const Reply reply = line.send(command("GP"), 5, ReplyEnd::length(5));
    if (number(reply, 4))
        return true;
    line.debug()(QStringLiteral("connectTest: return= %1, %2").arg(reply ? reply->size() : -1).arg(shown(reply, 4)));
    return false;
}

void MoonLiteControl::ask(const QByteArray& body, quint16 expected, std::function<void(const Reply&)> then)
{
    post([request = command(body), expected](const FocuserExchange& line) {
        return line.send(request, expected, ReplyEnd::length(expected));
    }, [this, then = std::move(then)](const Reply& reply) {
        noteReply(reply.has_value());
        then(reply);
    });
}

bool MoonLiteControl::tell(const QByteArray& request)
{
    if (!isConnected())
        return false;
    post([request](const FocuserExchange& line) { line.send(request, 0); });
    return true;
}

void MoonLiteControl::disconnectPort()
{
    if (!isConnected() && !isConnecting())
        return;
    m_gotoTimer.stop();
    m_tempTimer.stop();
    FocuserControl::disconnectPort();
    // Whoever waits for a temperature hears that none came.
    for (const auto& waiter : std::exchange(m_tempWaiters, {}))
        answer<float>(waiter, std::nullopt);
}

void MoonLiteControl::readConnectState(std::function<void()> done)
{
    ask("GC", 3, [this](const Reply& reply) {
        if (const std::optional<qint8> coeff = tempCoeff(reply))
            m_tempCoeff = *coeff;
        debug(QStringLiteral("moonGetTempCoeff: %1, %2").arg(m_tempCoeff).arg(shown(reply, 2)));
    });
    ask("GD", 3, [this](const Reply& reply) {
        if (const std::optional<quint16> delay = number(reply, 2))
            m_stepDelay = quint8(*delay);
        debug(QStringLiteral("moonGetStepDelay: %1, %2").arg(m_stepDelay).arg(shown(reply, 2)));
    });
    ask("GH", 3, [this](const Reply& reply) {
        if (const std::optional<bool> half = MoonLiteProtocol::isHalfStep(reply))
            m_isHalfStep = *half;
        debug(QStringLiteral("moonGetHalfStep: %1").arg(shown(reply, 2)));
    });
    moonGetCurrPosn([done = std::move(done)](std::optional<quint16>) {
        if (done)
            done();
    });
}

void MoonLiteControl::moonGetCurrPosn(Then<quint16> done)
{
    ask("GP", 5, [this, done = std::move(done)](const Reply& reply) {
        const std::optional<quint16> position = number(reply, 4);
        if (position) {
            m_currPosn = *position;
            notePosition(m_currPosn);
        }
        debug(QStringLiteral("moonGetCurrPosn: %1, %2").arg(m_currPosn).arg(shown(reply, 4)));
        answer(done, position);
    });
}

void MoonLiteControl::moonGetNewPosn(Then<quint16> done)
{
    ask("GN", 5, [this, done = std::move(done)](const Reply& reply) {
        const std::optional<quint16> position = number(reply, 4);
        if (position)
            m_newPosn = *position;
        debug(QStringLiteral("moonGetNewPosn: %1, %2").arg(m_newPosn).arg(shown(reply, 4)));
        answer(done, position);
    });
}

void MoonLiteControl::moonGetCurrTemp(Then<float> done)
{
    m_tempWaiters.push_back(std::move(done));
    if (m_tempTimer.isActive())
        return;
    debug(QStringLiteral("moonTempConv"));
    if (!tell(command("C"))) {
        readTemperature();
        return;
    }
    m_tempTimer.start();
}

void MoonLiteControl::readTemperature()
{
    const auto deliver = [this](const Reply& reply) {
        const std::optional<float> temp = temperature(reply);
        if (temp)
            m_currTemp = *temp;
        debug(QStringLiteral("moonGetCurrTemp: %1, %2").arg(double(m_currTemp), 0, 'f', 1).arg(shown(reply, 4)));
        for (const auto& waiter : std::exchange(m_tempWaiters, {}))
            answer(waiter, temp);
    };
    if (!isConnected()) {
        deliver(std::nullopt);
        return;
    }
    ask("GT", 5, deliver);
}

void MoonLiteControl::moonGetMotorMove(Then<bool> done)
{
    ask("GI", 3, [this, number = m_moveNumber, done = std::move(done)](const Reply& reply) {
        const std::optional<bool> moving = isMoving(reply);
        // A motor standing still after the latest go-to went out has ended it.
        if (moving == false && number == m_moveNumber && !isGotoPending())
            settleMove(std::nullopt);
        answer(done, moving);
    });
}

void MoonLiteControl::moonGetVersion(Then<QByteArray> done)
{
    ask("GV", 3, [this, done = std::move(done)](const Reply& reply) {
        const std::optional<QByteArray> shownVersion = version(reply);
        if (shownVersion)
            debug(QStringLiteral("MoonLite Version: %1").arg(QString::fromLatin1(*shownVersion)));
        else
            debug(QStringLiteral("moonGetVersion: count= %1 return= %2")
                      .arg(reply ? reply->size() : -1)
                      .arg(shown(reply, 3)));
        answer(done, shownVersion);
    });
}

bool MoonLiteControl::moonGoto()
{
    debug(QStringLiteral("moonGoto"));
    return tell(command("FG"));
}

bool MoonLiteControl::moonStop()
{
    debug(QStringLiteral("moonStop"));
    m_gotoTimer.stop();
    endMove();
    return tell(command("FQ"));
}

bool MoonLiteControl::moonSetNewPosn(quint16 position)
{
    const QByteArray request = withNumber("SN", position, 4);
    debug(QStringLiteral("moonSetNewPosn: %1, %2").arg(position).arg(QString::fromLatin1(request.mid(3, 4))));
    if (!tell(request))
        return false;
    m_newPosn = position;
    return true;
}

bool MoonLiteControl::moonSetCurrPosn(quint16 position)
{
    const QByteArray request = withNumber("SP", position, 4);
    debug(QStringLiteral("moonSetCurrPosn: %1, %2").arg(position).arg(QString::fromLatin1(request.mid(3, 4))));
    if (!tell(request))
        return false;
    m_currPosn = position;
    return true;
}

bool MoonLiteControl::moonSetDelay(quint8 delay)
{
    const QByteArray request = withNumber("SD", delay, 2);
    debug(QStringLiteral("moonSetDelay: %1, %2").arg(delay).arg(QString::fromLatin1(request.mid(3, 2))));
    if (!tell(request))
        return false;
    m_stepDelay = delay;
    return true;
}

bool MoonLiteControl::moonSetStepMode(bool half)
{
    debug(half ? QStringLiteral("moonSetStepMode Half") : QStringLiteral("moonSetStepMode Full"));
    if (!tell(command(half ? "SH" : "SF")))
        return false;
    m_isHalfStep = half;
    return true;
}

bool MoonLiteControl::moonSetTempCoeff(qint8 value)
{
    const QByteArray request = setTempCoeff(value);
    debug(QStringLiteral("moonSetTempCoeff: %1, %2").arg(value).arg(QString::fromLatin1(request.mid(3, 2))));
    return tell(request);
}

bool MoonLiteControl::moonSetTempComp(bool on)
{
    debug(on ? QStringLiteral("moonSetTempComp On") : QStringLiteral("moonSetTempComp Off"));
    return tell(command(on ? "+" : "-"));
}

bool MoonLiteControl::moonMoveTo(quint16 position)
{
    if (!moonSetNewPosn(position))
        return false;
    ++m_moveNumber;
    beginMove(m_currPosn, position);
    expectArrivalAt(position);
    m_gotoTimer.start();
    return true;
}

bool MoonLiteControl::moonInOut(qint16 delta)
{
    const int target = m_currPosn + delta;
    debug(QStringLiteral("moonInOut: %1, %2").arg(delta).arg(QString::fromLatin1(hex(quint16(target), 4))));
    if (target < 0 || target > m_maxPosn)
        return false;
    return moonMoveTo(quint16(target));
}

void MoonLiteControl::moonSetMax(std::function<void(bool)> done)
{
    moonGetCurrPosn([this, done = std::move(done)](std::optional<quint16> position) {
        if (position)
            moonSetMax(*position);
        if (done)
            done(position.has_value());
    });
}

void MoonLiteControl::moonSetMax(quint16 maximum)
{
    m_maxPosn = maximum;
    debug(QStringLiteral("moonSetMax: %1").arg(maximum));
    m_prefs.saveMoonPrefs();
}
