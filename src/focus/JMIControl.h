#pragma once

#include "focus/FocuserControl.h"
#include "focus/JMIProtocol.h"
#include "focus/JMISpeeds.h"
#include "model/settings/links/JMIFocuser.h"

#include <QTimer>

#include <chrono>
#include <functional>

class JMISetupDisplay;
class PrefControl;

// The JMI focuser's command layer: it finds the focuser by its "b"/"j"
// probe at 9600 baud, sends every command and checks its echo, and keeps
// the focuser's state: position, maximum and speeds, and the backlash
// compensation that ends an inward go-to with an outward second leg, so
// the focuser always arrives from the same side. Exchanges run on the
// port's worker; each operation tells its outcome to `done` on the main
// thread (an empty `done` is fine).
class JMIControl final : public FocuserControl, public JMIFocuser {
    Q_OBJECT
public:
    using Done = std::function<void(bool)>;
    static constexpr long kBaud = 9600;
    static constexpr std::chrono::milliseconds kMoveInterval{200};

    JMIControl(SerialControl& serial, FocuserWorker& worker, PrefControl& prefs, QObject* parent = nullptr);

    void setDisplay(JMISetupDisplay* display) { m_display = display; }

    // Also stores the settings.
    void disconnectPort() override;

    // `done` hears a status code (JMIProtocol::statusCode).
    void jmiStatusRegister(std::function<void(int)> done);
    // A failed read keeps the last good position.
    void jmiGetPosition(Done done);
    void jmiMoveIn(Done done);
    void jmiMoveOut(Done done);
    // The go-to under way, and its second leg, are dropped at once: its
    // echo may come late (after the go-to's end byte) or not at all.
    void jmiStop(Done done);
    // Goes to `target`; with backlash compensation on, an inward go-to goes
    // `jmiBacklash` further in first. The move ends when the last leg has.
    void jmiGoto(quint16 target, Done done);
    void jmiSetZeroPosition(Done done);
    void jmiSetInitialize(Done done);
    // The speeds' replies carry nothing to check; false when not connected.
    bool jmiSetSpeeds();
    // One 0.2 s look for the end of a go-to.
    void jmiMoveTimer();
    // Stores the six settings.
    void savePrefs();

    void setSlowAdj(float adjustment) override { m_slowAdj = adjustment; }
    void setFastAdj(float adjustment) override { m_fastAdj = adjustment; }
    void setIOAdj(float adjustment) override { m_ioAdj = adjustment; }
    // Sent to a connected focuser with the speeds; else only shown.
    void setJMIMaxValue(quint16 maximum) override;
    void setJMIBacklash(quint16 amount) override;
    void setIsJMIBacklash(bool on) override;
    void setIsJMIMove(bool moving) { m_isMove = moving; }
    // A speed slider: tag 1 slow, 2 fast, 3 in/out gets 2^(slider / 25);
    // then the speeds are worked out again, sent and the settings stored.
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

    // The connect probe, run on the worker.
    static bool probe(const FocuserExchange& line);

protected:
    double slowestStepsPerSecond() const override;
    // A manual move standing at the end of the travel it ran to can go no further.
    void moveReachedItsEnd() override { m_isMove = false; }

private:
    // What the worker brings back of one command.
    struct Answer {
        JMIProtocol::Reply reply;
        bool moveEnded = false;  // a go-to's end was waiting in the input
    };
    // Sends `request` and hands its reply to `then`. While a go-to is
    // watched, the input is read for its end before it is emptied.
    void send(const QByteArray& request, quint16 expected, std::function<void(const JMIProtocol::Reply&)> then);
    // A one-letter command; `done` hears whether it was echoed.
    void simpleCommand(char letter, const QString& name, std::function<void(bool)> then);
    void sendGoto(quint16 target, const QString& failure, Done done);
    void doGotoBacklash();
    void maxValueSent(bool sent);
    void debug(const QString& line) const { writeDebug(QStringLiteral("jmiControl: ") + line); }

    PrefControl& m_prefs;
    JMISetupDisplay* m_display = nullptr;
    QTimer m_moveTimer;
    bool m_isStreamRead = false;  // a look for a go-to's end is under way
    bool m_isMove = false;
    quint16 m_position = 0;
    quint16 m_maxValue = 65535;
    JMISpeeds m_speeds;
    bool m_isBacklash = false;
    bool m_killBacklash = false;
    bool m_doBacklash = false;
    quint16 m_backlash = 0;
    quint16 m_origVal = 0;
    quint16 m_legTarget = 0;  // where the go-to leg under way ends
    float m_slowAdj = 1.0f;
    float m_fastAdj = 1.0f;
    float m_ioAdj = 1.0f;
};
