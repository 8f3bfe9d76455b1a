#pragma once

#include "focus/FocuserFrame.h"

#include <QTimer>

#include <optional>

class FocuserGauge;
class MoonLiteControl;
class MoonLiteDisplay;

// The MoonLite window's logic: the 1.5 s status timer, moves (Alt stands
// for the Option key), set-up, speed cells, temperature learning and the
// compensation timer, and the autofocus hooks: a 120-pixel star box and a
// sweep that samples once the focuser reports the move done. `isBlock`
// keeps the timers' exchanges apart while a temperature is awaited.
class MoonLiteFrame final : public FocuserFrame {
    Q_OBJECT
public:
    enum MoveTag { kIn = 1, kOut = 2, kGoto = 3, kSpeedCells = 4 };
    enum SetupTag { kZero = 1, kMax = 2, kHalfStep = 3 };
    enum TempTag { kLearn = 1, kCalculate = 2, kCompensation = 3, kSlopeField = 4, kRate = 5 };
    static constexpr std::chrono::milliseconds kStatusInterval{1500};
    static constexpr int kTemperatureEvery = 10;  // status ticks between temperature reads

    struct Displays {
        FocuserDisplay& focuser;
        AutoFocusDisplay& curve;
        FocuserGauge& gauge;
        MoonLiteDisplay& moon;
    };

    MoonLiteFrame(MoonLiteControl& control, const Links& links, const Displays& displays,
                  QObject* parent = nullptr);

    void focuserConnect() override;
    // `value`: the go-to field's integer (tag 3), the speed cell (tag 4).
    void moveAction(int tag, int value = 0, bool alt = false);
    void setupAction(int tag, bool on = false);
    // `value`: the slope field (tags 3, 4), the rate in seconds (tag 5);
    // `on`: the compensation box (tag 3).
    void tempAction(int tag, double value = 0.0, bool on = false);
    void statusTick() { updateTick(); }
    void tempTick();

    void readFocusPosition(PositionRead done) override;
    void moveInwardForRun(quint16 position, quint16 steps, MoveDone done) override;
    void advanceRun(quint16 steps, MoveDone done) override;
    bool isReadyForSample() override;
    double focusScale() const override { return m_maxSteps; }
    void gotoBestFocus(quint16 position) override;
    // The sweep's move stops with the run.
    void runAborted() override;
    bool haltMove() override;
    std::optional<quint16> lastKnownPosition() const override;
    bool clearsPlotAtBestFocus() const override { return true; }
    StarBoxRule starBox() const override;

    float moonSlope() const { return m_slope; }
    float moonDeltaTemp() const { return m_deltaTemp; }
    bool isMoonLearn() const { return m_isLearn; }
    bool isMoonAutoTemp() const { return m_isAutoTemp; }
    bool isBlock() const { return m_isBlock; }
    bool isTempTimerActive() const { return m_tempTimer.isActive(); }
    quint16 moonMaxSteps() const { return m_maxSteps; }

protected:
    void readStartUp() override;
    void updateTick() override;
    double criticalFocusZone(double focalRatio) const override;
    QString connectFailedMessage() const override;
    QString focuserName() const override;
    void moveIn() override;
    void moveOut() override;
    void stopMove() override;
    void didDisconnect() override;

private:
    enum class Motor { Unknown, Asking, Moving, Stopped };

    void applyTempAction(int tag, double value, bool on, quint16 units, float temp);
    // Reads the position, then the temperature, and hands both on.
    void readUnitsAndTemp(std::function<void(std::optional<quint16>, std::optional<float>)> then);
    void compensate(quint16 units, float temp);
    void compensationTick();
    // Asks whether the motor moves, unless the answer is awaited; a move
    // sent meanwhile makes the answer stale.
    void askMotor();
    // A move: a motor state read before it no longer counts.
    bool moveTo(quint16 position);
    void showTemperature(float temp);
    void showPosition(quint16 units);
    void showTempFields();
    // Stops a moving focuser, else runs `otherwise`.
    void stopOr(std::function<bool()> otherwise);
    // A move key: it moves only a focuser standing still.
    void whenStill(std::function<bool()> move);
    void debug(const QString& line) const;

    MoonLiteControl& m_moon;
    ScopeControl& m_scope;
    FocuserGauge& m_gauge;
    MoonLiteDisplay& m_display;
    QTimer m_tempTimer;
    bool m_isBlock = false;
    bool m_isLearn = false;
    bool m_isAutoTemp = false;
    Motor m_motor = Motor::Unknown;
    quint32 m_moveNumber = 0;
    int m_timerCount = 0;
    quint16 m_maxSteps = 65535;
    quint16 m_startUnits = 0;
    float m_startTemp = 0.0f;
    float m_prevTemp = 0.0f;
    float m_deltaTemp = 0.0f;
    float m_slope = 0.0f;
    float m_tempUpdateRate = 1.0f;
};
