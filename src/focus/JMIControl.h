#pragma once

#include "focus/FocuserControl.h"
#include "focus/JMIProtocol.h"
#include "focus/JMISpeeds.h"
#include "model/settings/links/JMIFocuser.h"

#include <QTimer>

#include <chrono>

class JMISetupDisplay;
class PrefControl;

// The JMI focuser's command layer: it finds the focuser by its "b"/"j"
// probe at 9600 baud, sends every command and checks its echo, and keeps
// the focuser's state: position, maximum and speeds, and the backlash
// compensation that ends an inward go-to with an outward second leg, so
// the focuser always arrives from the same side.
class JMIControl final : public FocuserControl, public JMIFocuser {
public:
    static constexpr long kBaud = 9600;
    static constexpr std::chrono::milliseconds kMoveInterval{200};

    JMIControl(SerialControl& serial, ScopeControl& scope, PrefControl& prefs);

    void setDisplay(JMISetupDisplay* display) { m_display = display; }

    // Also stores the settings.
    void disconnectPort() override;

    bool jmiIDRegister();
    // A status code (JMIProtocol::statusCode).
    int jmiStatusRegister();
    // A failed read keeps the last good position.
    bool jmiGetPosition();
    bool jmiMoveIn();
    bool jmiMoveOut();
    bool jmiStop();
    // Goes to `target`; with backlash compensation on, an inward go-to goes
    // `jmiBacklash` further in first. The move ends when the last leg has.
    bool jmiGoto(quint16 target);
    bool jmiSetZeroPosition();
    bool jmiSetMaxValue();
    bool jmiSetSpeeds();
    bool jmiSetInitialize();
    // One 0.2 s look for the end of a go-to.
    void jmiMoveTimer();

    void setSlowAdj(float adjustment) override { m_slowAdj = adjustment; }
    void setFastAdj(float adjustment) override { m_fastAdj = adjustment; }
    void setIOAdj(float adjustment) override { m_ioAdj = adjustment; }
    void setJMIMaxValue(quint16 maximum) override;
    void setJMIBacklash(quint16 amount) override;
    void setIsJMIBacklash(bool on) override;
    void setIsJMIMove(bool moving) { m_isMove = moving; }
    // A speed slider: tag 1 slow, 2 fast, 3 in/out gets 2^(slider / 25);
    // then the speeds are sent and the settings stored.
    void setSpeedFactor(int tag, int slider);

    quint16 jmiMaxValue() const override { return m_maxValue; }
    quint16 jmiBacklash() const override { return m_backlash; }
    bool isJMIBacklash() const override { return m_isBacklash; }
    float jmiSlowAdj() const override { return m_slowAdj; }
    float jmiFastAdj() const override { return m_fastAdj; }
    float jmiIOAdj() const override { return m_ioAdj; }
    bool isJMIConnect() const { return isConnected(); }
    bool isJMIMove() const { return m_isMove; }
    quint16 jmiPosition() const { return m_position; }
    JMISpeeds speeds() const { return m_speeds; }
    bool isMoveTimerActive() const { return m_moveTimer.isActive(); }

protected:
    bool probe() override { return jmiIDRegister(); }

private:
    JMIProtocol::Reply send(const QByteArray& request, quint16 expected);
    // Sends a one-letter command after emptying the input; true on its echo.
    bool simpleCommand(char letter, const QString& name);
    bool sendGoto(quint16 target, const char* failure);
    bool doGotoBacklash();
    void debug(const QString& line) const { writeDebug(QStringLiteral("jmiControl: ") + line); }
    void clearInput();
    void savePrefs();

    PrefControl& m_prefs;
    JMISetupDisplay* m_display = nullptr;
    QTimer m_moveTimer;
    bool m_isMove = false;
    quint16 m_position = 0;
    quint16 m_maxValue = 65535;
    JMISpeeds m_speeds;
    bool m_isBacklash = false;
    bool m_killBacklash = false;
    bool m_doBacklash = false;
    quint16 m_backlash = 0;
    quint16 m_origVal = 0;
    float m_slowAdj = 1.0f;
    float m_fastAdj = 1.0f;
    float m_ioAdj = 1.0f;
};
