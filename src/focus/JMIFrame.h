#pragma once

#include "focus/FocuserFrame.h"

class FocuserGauge;
class JMIControl;

// The JMI window's logic: its connect texts, the 1 s status timer (three
// failed status reads in a row lose the focuser), the move, set-up and
// speed actions, the keys and the autofocus hooks, whose sweep goes to each
// position and samples once the focuser reports the move done.
class JMIFrame final : public FocuserFrame {
    Q_OBJECT
public:
    enum MoveTag { kIn = 1, kOut = 2, kGoto = 3, kStop = 4 };
    enum SetupTag { kZero = 1, kMax = 2, kInitialize = 3, kBacklashBox = 4, kBacklashField = 6 };
    static constexpr int kStatusEvery = 5;   // status timer ticks between status reads

    JMIFrame(JMIControl& control, const Links& links, FocuserDisplay& display,
             AutoFocusDisplay& curveDisplay, FocuserGauge& gauge, QObject* parent = nullptr);

    // `value` is the go-to field's integer (tag 3).
    void moveAction(int tag, int value = 0);
    // `value` is the maximum field's integer (tag 2), the backlash field's
    // (tags 4, 6); `on` the backlash box (tag 4).
    void setupAction(int tag, int value = 0, bool on = false);
    // Slider tags 1 slow, 2 fast, 3 in/out.
    void speedAction(int tag, int slider);
    // The window closed: the settings are stored.
    void windowClosed();
    // One status-timer tick, as the timer gives it.
    void statusTick() { updateTick(); }

    void focuserConnect() override;

    void readFocusPosition(PositionRead done) override;
    void moveInwardForRun(quint16 position, quint16 steps, MoveDone done) override;
    void advanceRun(quint16 steps, MoveDone done) override;
    bool isReadyForSample() override;
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
    void showStatusCode(int code);
    void showPosition();
    void statusRead(int code);
    // A beep when the command was refused.
    static void beepUnless(bool done);
    void debug(const QString& line) const;

    JMIControl& m_jmi;
    ScopeControl& m_scope;
    FocuserGauge& m_gauge;
    quint16 m_timerCount = 0;
};
