#include "focus/MoonLiteControl.h"

#include "model/settings/PrefControl.h"
#include "mount/SerialControl.h"

using namespace MoonLiteProtocol;

namespace {

// The first `count` reply bytes as the debug log shows them.
QString shown(const Reply& reply, int count)
{
    const QByteArray bytes = reply ? reply->left(count) : QByteArray();
    return QString::fromLatin1(bytes.leftJustified(count, ' '));
}

}  // namespace

MoonLiteControl::MoonLiteControl(SerialControl& serial, ScopeControl& scope, PrefControl& prefs,
                                 std::chrono::microseconds tick)
    : FocuserControl(serial, scope, kBaud, QStringLiteral("MoonLite")), m_prefs(prefs), m_tick(tick)
{
    const auto settle = std::chrono::duration_cast<std::chrono::milliseconds>(m_tick * kSettleTicks);
    m_gotoTimer.setSingleShot(true);
    m_gotoTimer.setInterval(settle);
    QObject::connect(&m_gotoTimer, &QTimer::timeout, &m_gotoTimer, [this] { moonGoto(); });
    m_tempTimer.setSingleShot(true);
    m_tempTimer.setInterval(settle);
    QObject::connect(&m_tempTimer, &QTimer::timeout, &m_tempTimer, [this] { readTemperature(); });
}

Reply MoonLiteControl::ask(const QByteArray& body, quint16 expected)
{
    return exchange(command(body), expected);
}

bool MoonLiteControl::tell(const QByteArray& request)
{
    return exchange(request, 0).has_value();
}

void MoonLiteControl::disconnectPort()
{
    if (!isConnected())
        return;
    m_gotoTimer.stop();
    m_tempTimer.stop();
    FocuserControl::disconnectPort();
    // Whoever waits for a temperature hears that none came.
    for (const auto& waiter : std::exchange(m_tempWaiters, {}))
        waiter(std::nullopt);
}

void MoonLiteControl::readConnectState()
{
    moonGetTempCoeff();
    moonGetStepDelay();
    moonGetHalfStep();
    moonGetCurrPosn();
}

bool MoonLiteControl::connectTest()
{
    const Reply reply = ask("GP", 5);
    if (const std::optional<quint16> position = number(reply, 4)) {
        m_currPosn = *position;
        return true;
    }
    debug(QStringLiteral("connectTest: return= %1, %2").arg(reply ? reply->size() : -1).arg(shown(reply, 4)));
    return false;
}

std::optional<quint16> MoonLiteControl::moonGetCurrPosn()
{
    const Reply reply = ask("GP", 5);
    const std::optional<quint16> position = number(reply, 4);
    if (position)
        m_currPosn = *position;
    debug(QStringLiteral("moonGetCurrPosn: %1, %2").arg(m_currPosn).arg(shown(reply, 4)));
    return position;
}

std::optional<quint16> MoonLiteControl::moonGetNewPosn()
{
    const Reply reply = ask("GN", 5);
    const std::optional<quint16> position = number(reply, 4);
    if (position)
        m_newPosn = *position;
    debug(QStringLiteral("moonGetNewPosn: %1, %2").arg(m_newPosn).arg(shown(reply, 4)));
    return position;
}

void MoonLiteControl::moonGetCurrTemp(std::function<void(std::optional<float>)> done)
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
    const Reply reply = isConnected() ? ask("GT", 5) : Reply();
    const std::optional<float> temp = temperature(reply);
    if (temp)
        m_currTemp = *temp;
    debug(QStringLiteral("moonGetCurrTemp: %1, %2").arg(double(m_currTemp), 0, 'f', 1).arg(shown(reply, 4)));
    for (const auto& waiter : std::exchange(m_tempWaiters, {}))
        waiter(temp);
}

bool MoonLiteControl::moonGetTempCoeff()
{
    const Reply reply = ask("GC", 3);
    const std::optional<qint8> coeff = tempCoeff(reply);
    if (coeff)
        m_tempCoeff = *coeff;
    debug(QStringLiteral("moonGetTempCoeff: %1, %2").arg(m_tempCoeff).arg(shown(reply, 2)));
    return coeff.has_value();
}

bool MoonLiteControl::moonGetStepDelay()
{
    const Reply reply = ask("GD", 3);
    const std::optional<quint16> delay = number(reply, 2);
    if (delay)
        m_stepDelay = quint8(*delay);
    debug(QStringLiteral("moonGetStepDelay: %1, %2").arg(m_stepDelay).arg(shown(reply, 2)));
    return delay.has_value();
}

bool MoonLiteControl::moonGetHalfStep()
{
    const Reply reply = ask("GH", 3);
    const std::optional<bool> half = MoonLiteProtocol::isHalfStep(reply);
    if (half)
        m_isHalfStep = *half;
    debug(QStringLiteral("moonGetHalfStep: %1").arg(shown(reply, 2)));
    return half.has_value();
}

std::optional<bool> MoonLiteControl::moonGetMotorMove()
{
    return isMoving(ask("GI", 3));
}

bool MoonLiteControl::moonGetVersion()
{
    const Reply reply = ask("GV", 3);
    const std::optional<QByteArray> shownVersion = version(reply);
    if (!shownVersion) {
        debug(QStringLiteral("moonGetVersion: count= %1 return= %2")
                  .arg(reply ? reply->size() : -1)
                  .arg(shown(reply, 3)));
        return false;
    }
    debug(QStringLiteral("MoonLite Version: %1").arg(QString::fromLatin1(*shownVersion)));
    return true;
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

bool MoonLiteControl::moonSetMax()
{
    const std::optional<quint16> position = moonGetCurrPosn();
    if (!position)
        return false;
    moonSetMax(*position);
    return true;
}

void MoonLiteControl::moonSetMax(quint16 maximum)
{
    m_maxPosn = maximum;
    debug(QStringLiteral("moonSetMax: %1").arg(maximum));
    m_prefs.saveMoonPrefs();
}
