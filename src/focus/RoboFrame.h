#pragma once

#include "focus/FocuserFrame.h"
#include "model/settings/links/RoboFocuser.h"

#include <QTimer>

#include <functional>

class RoboControl;
class RoboDisplay;

// What the RoboFocus window does on the common frame: moves and a go-to
// within limits that leave room for the backlash, held keys moving until
// released, the controller's backlash, travel, motor and power settings,
// the temperature every fifth tick, slope learning and the software
// temperature compensation, and the autofocus hooks over its travel.
class RoboFrame final : public FocuserFrame, public RoboFocuser {
    Q_OBJECT
public:
    // roboFocusAction tags.
    static constexpr int kIn = 1;
    static constexpr int kOut = 2;
    static constexpr int kGoto = 3;
    static constexpr int kSpeed = 4;
    // roboEditTextAction tags.
    static constexpr int kBacklashField = 2;
    static constexpr int kPositionField = 3;
    static constexpr int kMaximumField = 4;
    static constexpr int kDutyField = 5;
    static constexpr int kDelayField = 6;
    static constexpr int kStepSizeField = 7;
    static constexpr int kDirectionMatrix = 8;
    // roboTempAction tags.
    static constexpr int kLearn = 1;
    static constexpr int kCalculate = 2;
    static constexpr int kCompensate = 3;
    static constexpr int kUpdateRate = 4;
    static constexpr int kSlopeField = 6;
    // Limit test kinds.
    static constexpr int kAbsolute = 0;
    static constexpr int kInward = 1;
    static constexpr int kOutward = 2;
    static constexpr int kTempEveryTicks = 5;

    struct Views {
        FocuserDisplay& focuser;
        AutoFocusDisplay& curve;
        RoboDisplay& robo;
    };

    // `saveSlope` stores the slope in the settings ("RoboTempSlopePref").
    RoboFrame(RoboControl& control, const Links& links, const Views& views,
              std::function<void()> saveSlope, QObject* parent = nullptr);

    // Tags 1 in, 2 out (by the speed), 3 to `value`, 4 the speed `value`.
    void focusAction(int tag, int value = 0);
    void editTextAction(int tag, int value);
    void relayAction(int output, bool on);
    // `value`: the update rate's seconds (tag 4), the slope (tag 6), the
    // compensation's box (tag 3: non-zero on).
    void tempAction(int tag, double value = 0.0);
    // The compensation's tick.
    void tempTimer();

    bool roboCheckStepLimits(int steps, int kind) const;
    int roboMaxMove(int kind) const;

    void setRoboSlope(float slope) override;
    float roboSlope() const override { return m_roboSlope; }
    bool isRoboLearn() const { return m_isRoboLearn; }
    bool isRoboAutoTemp() const { return m_isRoboAutoTemp; }
    float roboDeltaTemp() const { return m_roboDeltaTemp; }
    bool isCompensating() const { return m_tempTimer.isActive(); }
    quint16 roboSpeed() const { return m_roboSpeed; }

    void readFocusPosition(PositionRead done) override;
    void moveInwardForRun(quint16 position, quint16 steps, MoveDone done) override;
    bool isReadyForSample() override;
    void advanceRun(quint16 steps, MoveDone done) override;
    double focusScale() const override;
    void gotoBestFocus(quint16 position) override;
    bool haltMove() override;
    std::optional<quint16> lastKnownPosition() const override;

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
    void showPosition();
    void showTemperature();
    void showSlope();
    // The temperature and position, then the action of `tag`.
    void tempActionWith(int tag, double value, float temp, quint16 position);
    void startCompensation(float temp);
    void compensate(float temp);

    RoboControl& m_robo;
    RoboDisplay& m_view;
    std::function<void()> m_saveSlope;
    QTimer m_tempTimer;
    quint16 m_roboSpeed = 1;
    float m_roboSlope = 0.0f;
    float m_roboDeltaTemp = 0.0f;
    float m_roboPrevTemp = 0.0f;
    bool m_isRoboAutoTemp = false;
    bool m_isRoboLearn = false;
    float m_roboTempUpdateRate = 1.0f;
    float m_roboStartTemp = 0.0f;
    quint16 m_roboStartUnits = 0;
    int m_tickCount = 0;
    // The autofocus gate's read of the stream is under way.
    bool m_isGateReading = false;
};
