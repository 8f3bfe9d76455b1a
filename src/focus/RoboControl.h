#pragma once

#include "focus/FocuserControl.h"

#include <array>
#include <chrono>
#include <functional>
#include <optional>

// The RoboFocus command layer on the focuser slot at 9600 baud: frames of
// eight characters and their checksum, step echoes ('I', 'O') skipped ahead
// of a reply and counted into the position. Every exchange runs on the
// port's worker and answers on the main thread; one refused (not
// connected, or while the motor moves: with a beep where the user asked)
// answers at once.
//
// The controller takes any byte it receives during a move as a stop: from
// a move's command until its end record (or a position read made after its
// echoes have long stopped) nothing but the user's stop is written, and
// every command goes out only onto a quiet line.
class RoboControl final : public FocuserControl {
    Q_OBJECT
public:
    static constexpr long kBaud = 9600;
    static constexpr quint16 kLowest = 2;
    static constexpr quint16 kMostTravel = 64000;
    static constexpr int kStreamWaitTicks = 20;
    // A move whose end record was lost: once no step echo has come for
    // this long, counted from when each was read off the line (tick by tick
    // while the end is awaited), a position read on a quiet line tells
    // where it ended.
    static constexpr int kMoveSilenceTicks = 120;
    // How long the line must carry nothing before that read goes out:
    // longer than the gaps between a moving motor's echoes (ten a second
    // at the slowest) even when a slow line splits and delays them.
    static constexpr std::chrono::milliseconds kConfirmQuiet{500};
    // The longest one wait to confirm holds the port's worker, watching the
    // line tick by tick: a stop asked meanwhile waits no longer.
    static constexpr std::chrono::milliseconds kConfirmWaitMost{1000};
    // The slowest the controller's documents give its motor.
    static constexpr double kSlowestStepsPerSecond = 10.0;

    using Done = std::function<void(bool)>;
    using Outcome = FocuserExchange::QuietSend::Outcome;

    RoboControl(SerialControl& serial, FocuserWorker& worker, QObject* parent = nullptr);

    void disconnectPort() override;

    // The sum of a frame's first eight bytes, modulo 256.
    static quint8 roboChecksum(const QByteArray& frame);
    // Eight characters and their checksum.
    static QByteArray roboFrame(const QByteArray& eight);
    // Two letters and a value of six digits, with the checksum.
    static QByteArray roboCommand(const char* letters, int value);

    void roboGetPosition(Done done);
    // Go to `steps`; in or out by `steps`. The echoes and the final reply
    // are read later by roboReadMove.
    void roboSetSteps(int steps, Done done = {});
    void roboIn(int steps, Done done = {});
    void roboOut(int steps, Done done = {});
    // The user's stop (or the program's): where the move then ends is no news.
    void roboStop();
    // A move given up: the stop goes out and the move is taken as ended
    // where the focuser was last reported.
    void giveUpMove();
    // A command the user asked for, refused while the motor moves: a beep,
    // and while no move was asked of it (it ran on after a stop, or moves
    // by itself), the first time also why.
    void beepMoving();
    void roboSetPosition(int steps, Done done = {});
    void roboGetMax(Done done);
    // Limited to 2 … 64000.
    void roboSetMax(int steps, Done done = {});
    void roboGetOutputs(Done done);
    // Output k (1 … 4) on or off, the others as they are.
    void roboSetOutputs(int output, bool on, Done done = {});
    void roboGetBacklash(Done done);
    void roboSetBacklash(int amount, Done done = {});
    void roboGetConfig(Done done);
    // The step size and delay limited to 1 … 64, the duty cycle to 100 %.
    void roboSetConfig(Done done = {});
    void roboGetTemp(Done done);
    // The stream after a move, 20 ticks from now; false when nothing came.
    // Only step echoes show that a move goes on, one no move asked for as
    // well (watched as a move). Once a read finds none, the line is watched
    // tick by tick until none has come for kMoveSilenceTicks, whatever else
    // it carries, and the position is asked: the move's end record may have
    // been lost. An echo meanwhile is the move going on.
    void roboReadMove(Done done);

    // A move went out (or echoes came) and neither its end record nor a
    // position read has told where it ended, nor was it given up.
    bool isRoboMove() const { return m_isRoboMove; }
    void setIsRoboMove(bool moving) { m_isRoboMove = moving; }
    quint16 roboPosition() const { return m_roboPosition; }
    void setRoboPosition(quint16 steps) { m_roboPosition = steps; }
    quint16 roboMax() const { return m_roboMax; }
    float roboTemp() const { return m_roboTemp; }
    quint8 roboCyclePct() const { return m_roboCyclePct; }
    void setRoboCyclePct(quint8 percent) { m_roboCyclePct = percent; }
    quint8 roboDelayMs() const { return m_roboDelayMs; }
    void setRoboDelayMs(quint8 delay) { m_roboDelayMs = delay; }
    quint8 roboMicroSize() const { return m_roboMicroSize; }
    void setRoboMicroSize(quint8 size) { m_roboMicroSize = size; }
    int roboBacklashDirection() const { return m_roboBacklashDirection; }
    void setRoboBacklashDirection(int direction) { m_roboBacklashDirection = direction; }
    // The amount of the current direction (0 for another direction).
    quint16 roboBacklash() const;
    quint16 roboBacklashOf(int direction) const;
    void setRoboBacklash(quint16 amount);
    bool roboOutput(int output) const;

    // What a reply held: the bytes after the echoes, and the echoes.
    struct Reply {
        QByteArray rest;
        int netSteps = 0;                  // 'O' less 'I'
        bool sawEcho = false;
        bool echoesEnded = false;          // another character followed them
        // Unless Replied: nothing came, or nothing was sent (a busy line, the motor's motion).
        Outcome sent = Outcome::Replied;
        // A move was asked after the command was: the reply says nothing of its end.
        bool isBeforeMove = false;
    };
    // What a read of the stream found, and when.
    struct StreamRead {
        bool read = false;
        quint16 position = 0;
        int echoes = 0;
        bool endRecord = false;
        std::chrono::steady_clock::time_point at;
    };

protected:
    double slowestStepsPerSecond() const override { return kSlowestStepsPerSecond; }

private:
    // A command whose reply's record is marked "F" and `letter`.
    void exchange(const QByteArray& frame, char letter, std::function<void(const Reply&)> then);
    static Reply replyOf(const FocuserExchange::QuietSend& sent);
    // The position of an "FD" reply, kept; false when it holds none.
    bool takePosition(const Reply& reply);
    // The record marked "F" and `letter`, after its echoes are counted.
    std::optional<QByteArray> recordOf(const Reply& reply, char letter);
    // The record of a backlash or configuration reply; a garbled or missing
    // one beeps and is logged.
    std::optional<QByteArray> settingOf(const Reply& reply, char letter);
    // Refuses while not connected, or while the motor moves: with
    // beepMoving when `beeps` (an action of the user's).
    bool refused(const Done& done, bool beeps = true);
    // Step echoes (`netSteps` of them 'O' less 'I') read at `at`: steps the
    // motor made, counted from the last good position; motion no move asked
    // for is watched from there.
    void takeEchoes(int netSteps, std::chrono::steady_clock::time_point at);
    // What a read of the stream found: the move's end record, or its echoes.
    void takeStream(const StreamRead& stream);
    // What a command sent without a reply met, and when the send ended.
    using Sent = std::function<void(Outcome, std::chrono::steady_clock::time_point)>;
    void send(const QByteArray& frame, Sent done);
    // A move to `target` (within the travel) goes out.
    void sendMove(const QByteArray& frame, int target, Done done);
    // How far the controller's backlash compensation may carry a move past
    // its target.
    int compensation() const;
    // Whether a command found the line busy or the motor moving.
    void noteLine(Outcome outcome);
    // A command not taken beeps; the first that a busy line or the motor's
    // motion refuses in a spell also tells the user why, once: stray bytes,
    // or a motor that keeps moving after its stop or unasked.
    void beepRefusal(Outcome why);
    void takeBacklash(const QByteArray& record);
    // Watches the line until the move's echoes have stopped long enough,
    // then asks the position; a line still busy, or echoes, wait for the
    // next read.
    void confirmMoveEnd(Done done);
    // The move is over: `at`, where its own end said the motor stands (a
    // go-to elsewhere is told); none when it failed or was given up.
    void moveEnded(std::optional<quint16> at = std::nullopt);

    bool m_isRoboMove = false;
    quint16 m_roboPosition = 0;
    quint16 m_roboMax = kMostTravel;
    std::array<quint16, 2> m_roboBacklash{};
    quint8 m_roboCyclePct = 0;
    quint8 m_roboDelayMs = 0;
    quint8 m_roboMicroSize = 4;
    float m_roboTemp = 0.0f;
    int m_roboBacklashDirection = 2;
    std::array<bool, 4> m_roboPower{};
    bool m_isReadingMove = false;
    bool m_isRefusalTold = false;
    // A stop went out since the last move was asked (a move that did not
    // go out leaves it as it was).
    bool m_isStopSent = false;
    // Moves asked so far: a reply to a command queued before one does not end it.
    quint32 m_movesAsked = 0;
    // When the move's command was written or its last step echo was read.
    std::chrono::steady_clock::time_point m_lastEcho;
};
