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
// read. Exchanges run on the port's worker and answer on the main thread;
// the controller's moment after a temperature conversion and after a new
// position is waited on a timer, never blocking.
class MoonLiteControl final : public FocuserControl, public MoonLiteFocuser {
    Q_OBJECT
public:
    template <typename Value>
    using Then = std::function<void(std::optional<Value>)>;
    static constexpr long kBaud = 9600;
    static constexpr std::chrono::microseconds kTick{16667};
    static constexpr int kSettleTicks = 10;
    // The slowest step delay the window sets, 32, makes about 16 steps a
    // second by the documents; a motor at 10 still ends within its ceiling.
    static constexpr double kSlowestStepsPerSecond = 10.0;

    MoonLiteControl(SerialControl& serial, FocuserWorker& worker, PrefControl& prefs,
                    std::chrono::microseconds tick = kTick, QObject* parent = nullptr);

    void disconnectPort() override;
    // What is read once connected: coefficient, step delay, step mode and
    // position (the temperature has its own read); `done` hears when.
    void readConnectState(std::function<void()> done);

    // Each read keeps the old value and answers nothing when the reply is
    // not whole.
    void moonGetCurrPosn(Then<quint16> done);
    void moonGetNewPosn(Then<quint16> done);
    // Starts a conversion and reads it kSettleTicks later.
    void moonGetCurrTemp(Then<float> done);
    // Whether the motor moves.
    void moonGetMotorMove(Then<bool> done);
    void moonGetVersion(Then<QByteArray> done);

    // Commands without a reply: false when not connected.
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

    // The maximum becomes the current position read from the focuser;
    // `done` hears whether it could be read.
    void moonSetMax(std::function<void(bool)> done);
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

    // The connect probe, run on the worker.
    static bool connectTest(const FocuserExchange& line);

protected:
    double slowestStepsPerSecond() const override { return kSlowestStepsPerSecond; }

private:
    // Asks `body` and hands the reply to `then` on the main thread.
    void ask(const QByteArray& body, quint16 expected, std::function<void(const MoonLiteProtocol::Reply&)> then);
    bool tell(const QByteArray& request);
    void readTemperature();
    void debug(const QString& line) const { writeDebug(line); }

    PrefControl& m_prefs;
    QTimer m_gotoTimer;
    QTimer m_tempTimer;
    std::vector<Then<float>> m_tempWaiters;
    bool m_isHalfStep = false;
    quint8 m_stepDelay = 0;
    qint8 m_tempCoeff = 0;
    float m_currTemp = 0.0f;
    float m_slope = 0.0f;
    quint16 m_newPosn = 0;
    quint16 m_currPosn = 0;
    quint16 m_maxPosn = 65535;
    // Counts the moves sent: a "not moving" asked before the latest one is
    // no news of it.
    quint32 m_moveNumber = 0;
};
