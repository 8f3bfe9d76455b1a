#pragma once

#include "focus/FocuserControl.h"
#include "focus/MoonLiteProtocol.h"
#include "model/settings/links/MoonLiteFocuser.h"

#include <QTimer>

#include <chrono>
#include <functional>
#include <optional>
#include <vector>

class PrefControl;

// The MoonLite focuser's command layer on the focuser slot at 9600 baud:
// the ":GP#" probe, every command of the controller, and the state read
// from it. A reply that is not whole keeps the old value and fails the
// read. The controller needs a moment after a temperature conversion and
// after a new position; those waits run on a timer, never blocking.
class MoonLiteControl final : public FocuserControl, public MoonLiteFocuser {
public:
    static constexpr long kBaud = 9600;
    static constexpr std::chrono::microseconds kTick{16667};
    static constexpr int kSettleTicks = 10;

    MoonLiteControl(SerialControl& serial, ScopeControl& scope, PrefControl& prefs,
                    std::chrono::microseconds tick = kTick);

    void disconnectPort() override;
    // What is read once connected: coefficient, step delay, step mode and
    // position (the temperature has its own read).
    void readConnectState();

    bool connectTest();
    std::optional<quint16> moonGetCurrPosn();
    std::optional<quint16> moonGetNewPosn();
    // Starts a conversion and reads it kSettleTicks later; `done` hears the
    // temperature, or nothing when the read failed (the old value stays).
    void moonGetCurrTemp(std::function<void(std::optional<float>)> done);
    bool moonGetTempCoeff();
    bool moonGetStepDelay();
    bool moonGetHalfStep();
    // Whether the motor moves; nothing when the reply was not whole.
    std::optional<bool> moonGetMotorMove();
    bool moonGetVersion();
    bool moonGoto();
    // Also drops a go-to still waiting to be sent.
    bool moonStop();
    bool moonSetNewPosn(quint16 position);
    bool moonSetCurrPosn(quint16 position);
    bool moonSetDelay(quint8 delay);
    bool moonSetStepMode(bool half);
    bool moonSetTempCoeff(qint8 value);
    bool moonSetTempComp(bool on);
    // Sends the new position and the go-to kSettleTicks later.
    bool moonMoveTo(quint16 position);
    // A move by `delta` from the current position, within 0 ... maximum.
    bool moonInOut(qint16 delta);
    // True from a move's new position until its go-to is sent.
    bool isGotoPending() const { return m_gotoTimer.isActive(); }

    // The maximum becomes the current position read from the focuser.
    bool moonSetMax();
    void moonSetMax(quint16 maximum) override;
    void moonSetSlope(float slope) override { m_slope = slope; }
    void moonSetHalfStep(bool half) { m_isHalfStep = half; }

    bool isMoonConnect() const { return isConnected(); }
    bool isHalfStep() const { return m_isHalfStep; }
    quint16 moonCurrPosn() const { return m_currPosn; }
    quint16 moonNewPosn() const { return m_newPosn; }
    quint16 moonMaxPosn() const override { return m_maxPosn; }
    float moonCurrTemp() const { return m_currTemp; }
    float moonSlope() const override { return m_slope; }
    qint8 moonTempCoeff() const { return m_tempCoeff; }
    quint8 stepDelay() const { return m_stepDelay; }

protected:
    bool probe() override { return connectTest(); }

private:
    MoonLiteProtocol::Reply ask(const QByteArray& body, quint16 expected);
    bool tell(const QByteArray& request);
    void readTemperature();
    void debug(const QString& line) const { writeDebug(line); }

    PrefControl& m_prefs;
    std::chrono::microseconds m_tick;
    QTimer m_gotoTimer;
    QTimer m_tempTimer;
    std::vector<std::function<void(std::optional<float>)>> m_tempWaiters;
    bool m_isHalfStep = false;
    quint8 m_stepDelay = 0;
    qint8 m_tempCoeff = 0;
    float m_currTemp = 0.0f;
    float m_slope = 0.0f;
    quint16 m_newPosn = 0;
    quint16 m_currPosn = 0;
    quint16 m_maxPosn = 65535;
};
