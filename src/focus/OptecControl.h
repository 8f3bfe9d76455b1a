#pragma once

#include "focus/FocuserControl.h"

#include <functional>
#include <optional>

// What the controller streamed on its own in an auto mode: the last
// position and temperature the transport parsed.
struct OptecStream {
    quint16 units = 0;
    float temp = 0.0f;
};

// The Optec TCF-S command layer on the focuser slot at 19200 baud: six
// command characters and CR LF, each reply tested by its first characters.
// Every operation runs on the port's worker and answers on the main
// thread; one that finds the focuser not connected (or, where marked, the
// temperature probe bad: with a beep) answers at once.
class OptecControl final : public FocuserControl {
    Q_OBJECT
public:
    static constexpr long kBaud = 19200;
    static constexpr quint16 kMaxUnits = 7000;
    static constexpr quint16 kCentreUnits = 3500;
    static constexpr int kMostStepsPerMove = 9999;
    static constexpr int kRetryTicks = 15;
    // A third of the speed the settling of a move assumes (150 steps a
    // second): the controller answers a move only at its end, so its
    // ceiling is all that bounds it.
    static constexpr double kSlowestStepsPerSecond = 50.0;
    // optecMode
    static constexpr quint16 kModeManual = 1;
    static constexpr quint16 kModeA = 2;
    static constexpr quint16 kModeB = 3;
    static constexpr quint16 kModeEnded = 4;
    // optecReadUnits when no position came: moving, the probe is bad, or
    // nothing readable came while no move was under way (no news).
    static constexpr int kUnitsMoving = -1;
    static constexpr int kUnitsProbeBad = -2;
    static constexpr int kUnitsUnread = -3;
    // optecReadTemp: the probe failed ("ER=1"), or no reading.
    static constexpr float kTempProbeFailed = -300.0f;
    static constexpr float kTempUnread = -200.0f;

    using Done = std::function<void(bool)>;

    OptecControl(SerialControl& serial, FocuserWorker& worker, QObject* parent = nullptr);

    bool isTempOK() const { return m_isTempOK; }
    quint16 optecMode() const { return m_optecMode; }
    // A move went out and no position has been read since: the focuser
    // may still be on its way.
    bool isMoveOwed() const { return m_isMoveOwed; }
    // The last position the focuser reported in this connection (read, or
    // streamed in an auto mode); none before its first.
    std::optional<quint16> lastUnits() const { return m_lastUnits; }

    void disconnectPort() override;

    void optecFMMODE(Done done);
    void optecFFMODE(Done done);
    void optecFAMODE(Done done);
    void optecFBMODE(Done done);
    void optecFSLEEP(Done done);
    void optecFWAKUP(Done done);
    void optecFQUIT(bool flag, Done done);
    void optecFCENTR(Done done);
    // Moves of more than 9999 steps go as several moves of at most 9999.
    void optecFIN(int steps, Done done);
    void optecFOUT(int steps, Done done);
    void optecFHOME(Done done);
    void optecWriteA(int slope, Done done);
    void optecWriteB(int slope, Done done);
    void optecSetADelay(int delay, Done done);
    void optecSetBDelay(int delay, Done done);
    // The position ("P=" and its four digits), else kUnitsProbeBad while the
    // probe is bad, kUnitsMoving while a move is owed and kUnitsUnread
    // otherwise; 3500 when not connected.
    void optecReadUnits(std::function<void(int)> done);
    // °C ("T=" and the reading), kTempProbeFailed ("ER=1") or kTempUnread;
    // 20.0 when not connected.
    void optecReadTemp(std::function<void(float)> done);
    // Nothing when no byte came.
    void optecReadStream(std::function<void(std::optional<OptecStream>)> done);
    // Slope A or B, steps per degree.
    void optecFREADA(std::function<void(std::optional<int>)> done);
    void optecFREADB(std::function<void(std::optional<int>)> done);
    // 3500 centres; otherwise the position is read and the focuser moved by
    // the difference. A read that brings no position (a move under way, a
    // garbled or lost reply) is made again 15 ticks on, up to kGotoReads
    // reads; then the go-to is not sent and `refused` hears why.
    static constexpr int kGotoReads = 4;
    void optecSetUnits(int target, Done done, std::function<void(const QString&)> refused = {});

protected:
    double slowestStepsPerSecond() const override { return kSlowestStepsPerSecond; }

private:
    struct Reply {
        QByteArray bytes;
        bool answered = false;
    };
    // A command and the test of its reply's first characters.
    void command(const QByteArray& text, const QByteArray& accepted, Done done);
    // A probe-good command: refused with a beep while the probe is bad.
    // Up to `attempts` tries, kRetryTicks apart.
    void retrying(const QByteArray& text, const QByteArray& accepted, int attempts, Done done);
    void probeGoodCommand(const QByteArray& text, const QByteArray& accepted, Done done);
    void move(const char* prefix, int steps, const QByteArray& accepted, Done done);
    void readSlope(const char* text, std::function<void(std::optional<int>)> done);
    void readForGoto(int target, int readsLeft, Done done, std::function<void(const QString&)> refused);
    void moveTo(int target, int position, Done done);

    bool m_isTempOK = true;
    bool m_isMoveOwed = false;
    std::optional<quint16> m_lastUnits;
    quint16 m_optecMode = kModeManual;
};
