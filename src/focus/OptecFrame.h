#pragma once

#include "focus/FocuserFrame.h"
#include "model/settings/links/OptecFocuser.h"

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <array>
#include <functional>
#include <optional>

class OptecControl;
class OptecDisplay;
struct OptecStream;

// What the Optec TCF-S window does on the common frame: moves at four
// stored speeds (a held arrow key repeating every 0.15 s), the go-to, the
// controller's modes, the 1 s update (manual reads, or the stream the
// controller sends in its auto modes), the learning and storing of the
// temperature slope, and the autofocus hooks over its 7000 steps.
class OptecFrame final : public FocuserFrame, public OptecFocuser {
    Q_OBJECT
public:
    static constexpr std::chrono::milliseconds kRepeatInterval{150};
    // In auto mode A or B the controller sends its position and temperature
    // by itself, about once a tick or more often; this many update ticks in
    // a row that find nothing from it, spanning at least as many update
    // intervals, lose it while its port stays open.
    static constexpr int kSilentStreamTicks = 10;
    // optecTempControlAction tags.
    static constexpr int kLearnStart = 1;
    static constexpr int kLearnCalculate = 2;
    static constexpr int kStoreAverage = 3;
    static constexpr int kStoreCalculated = 4;

    struct Views {
        FocuserDisplay& focuser;
        AutoFocusDisplay& curve;
        OptecDisplay& optec;
    };

    // `saveSpeeds` stores the four speeds in the settings (at each disconnect).
    OptecFrame(OptecControl& control, const Links& links, const Views& views,
               std::function<void()> saveSpeeds, QObject* parent = nullptr);

    // In (1) or out (2) by the speed, or (3) to `target`.
    void focusAction(int tag, int target = 0);
    // Manual (0), auto mode A (1) or B (2).
    void modeAction(int row);
    // The speed of a move: fine, slow, medium or fast.
    void speedAction(int row);
    // The speed field `tag` (0 … 3) typed.
    void speedTextAction(int tag, int value);
    // Slope A (0) or B (1) learnt and shown.
    void tempModeAction(int column);
    void tempControlAction(int tag);
    void tempCalcAction(int slope) { m_calcSlope = quint16(std::clamp(slope, 0, 0xFFFF)); }

    void setOptecSpeed(int slot, quint16 speed) override;
    quint16 getOptecSpeed(int slot) const override;
    quint16 speedUnits() const { return m_speedUnits; }
    float currentTemp() const { return m_currentTemp; }
    quint16 calcSlope() const { return m_calcSlope; }
    quint16 avgSlope() const { return m_avgSlope; }
    int currentSlope() const { return m_currentSlope; }
    bool isRepeating() const { return m_repeatTimer.isActive(); }

    void readFocusPosition(PositionRead done) override;
    void moveInwardForRun(quint16 position, quint16 steps, MoveDone done) override;
    void advanceRun(quint16 steps, MoveDone done) override;
    // The controller answers a move at once: a position read tells that
    // the focuser stands.
    bool isReadyForSample() override;
    double focusScale() const override;
    void gotoBestFocus(quint16 position) override;
    // The controller has no stop: a run that gives up only says where it was.
    std::optional<quint16> lastKnownPosition() const override;
    bool clearsPlotAtBestFocus() const override { return true; }

protected:
    void readStartUp() override;
    void updateTick() override;
    double criticalFocusZone(double focalRatio) const override;
    QString connectFailedMessage() const override;
    QString focuserName() const override;
    bool isTemperatureGood() const override { return m_isTempOK; }
    void moveIn() override { heldMove(1); }
    void moveOut() override { heldMove(2); }
    void stopMove() override { m_focusDir = 0; }
    void didDisconnect() override;

private:
    void getOptecTempData();
    void heldMove(quint16 direction);
    void repeatTick();
    void move(quint16 direction);
    // Refused for want of a position: the user is told.
    void gotoUnits(int target);
    void streamRead(quint16 mode, const std::optional<OptecStream>& stream);
    // The controller was heard from, or is not expected to stream.
    void streamHeard();
    void showUnits(int units);
    void showTemp(float temp);
    void learnCalculate();
    void storeSlope(quint16 slope);
    // A move's settling: 0.4 tick a step and 15 ticks.
    static int settleTicks(quint16 steps);

    OptecControl& m_optec;
    OptecDisplay& m_view;
    std::function<void()> m_saveSpeeds;
    QTimer m_repeatTimer;
    std::array<quint16, 4> m_speedUnitsStore{1, 25, 125, 200};
    quint16 m_speedUnits = 1;
    int m_speedRow = 0;
    quint16 m_focusDir = 0;
    bool m_isTempOK = true;
    int m_silentStreamTicks = 0;
    QElapsedTimer m_sinceStream;
    float m_currentTemp = 0.0f;
    // The autofocus gate's position read is under way.
    bool m_isGateReading = false;
    // Learning.
    int m_tempMode = 0;
    int m_currentSlope = 0;
    quint16 m_avgSlope = 0;
    quint16 m_calcSlope = 0;
    std::optional<quint16> m_startUnits;
    float m_startTemp = 0.0f;
    float m_totalDelta = 0.0f;
};
