#pragma once

#include "DeviceSimulator.h"

#include <QByteArray>
#include <QList>

#include <array>
#include <chrono>
#include <mutex>

// A RoboFocus controller for DeviceSimulator: nine-byte frames (eight
// characters and their checksum; a frame whose checksum is wrong is
// ignored), a move answered by one step echo ('I' or 'O') a step and then
// the "FD" frame with the new position, the travel's maximum, the backlash
// (an amount of 0 only asks; as the controller's documents say, direction
// 2 adds the amount to inward motion and 3 to outward: such a move runs
// past its target by the amount and comes back, echoing every step both
// ways), the motor configuration, four power outputs and the temperature. A stop holds the motor where it is; any byte
// received during a move stops the motor too, and the "FD" frame then tells
// that position.
class RoboFocusSimulator {
public:
    explicit RoboFocusSimulator(DeviceSimulator& device);

    // Set at any time.
    void setPosition(int steps);
    void setMaximum(int steps);
    void setBacklash(int direction, int amount);
    // The "FT" value: half-kelvins.
    void setTemperatureValue(int value);
    // Echoes sent ahead of the next reply, as a motor still stepping gives them.
    void leadNextReplyWith(QByteArray echoes);
    // The next reply's checksum is wrong.
    void garbleNextReply();
    // The next reply comes this late (a busy controller's), whatever comes meanwhile.
    void delayNextReply(std::chrono::milliseconds delay);
    // Each step of a move takes this long (0, as at first: a move's replies
    // come at once); an echo of every step comes spread over the move and
    // the "FD" frame at its end, and position() is where the motor is on its way.
    void setStepTime(std::chrono::milliseconds perStep);
    // The next move stalls after `steps` of its steps, echoed, and the
    // controller hangs: it takes every frame (a stop too) and answers none.
    void hangMidMove(int steps);
    // Faults of the `nth` move from now (1: the next one). Its "FD" end
    // record is lost on the line.
    void loseEndRecordOfMove(int nth);
    // Its echoes pause for `pause` once `afterSteps` of its steps went out;
    // a `noise` byte other than 0 comes every kNoiseGap meanwhile.
    void pauseMove(int nth, int afterSteps, std::chrono::milliseconds pause, char noise = 0);
    // It never ends by itself: the motor steps `swing` out and back,
    // echoing each step, until a byte received stops it.
    void wanderOnMove(int nth, int swing);
    // The next go-to's motor stops `steps` short of its goal (held back by
    // its load), and the controller ends the move there as at its goal.
    void stopNextMoveShort(int steps);
    // The motor heeds no stop for `steps` steps more, each echoed at the
    // step time (at least kRunOnStep), whatever comes meanwhile; then its
    // move ends.
    void runOnAfterStop(int steps);
    static constexpr std::chrono::milliseconds kRunOnStep{100};
    static constexpr std::chrono::milliseconds kNoiseGap{50};

    // Where the motor is.
    int position() const;
    int maximum() const;
    std::array<quint8, 3> config() const;
    bool output(int k) const;
    // The frames received (without their checksum), in order; a stop as "F ".
    QList<QByteArray> commands() const;
    // The bytes that stopped a move, each as received, and how long the
    // line had then carried nothing from the controller.
    QList<QByteArray> bytesDuringMoves() const;
    QList<std::chrono::milliseconds> silencesBeforeStops() const;

private:
    DeviceSimulator::Response answer(const QByteArray& pending);
    std::vector<DeviceSimulator::ReplyPart> replyTo(const QByteArray& eight);
    QByteArray frame(const QByteArray& eight);
    QByteArray valueFrame(const char* letters, int value);
    DeviceSimulator::Response moveTo(int goal);
    // The parts of a move of `steps` steps of which the last `echoes` are
    // echoed as `echo`; the others are made before the first part comes.
    std::vector<DeviceSimulator::ReplyPart> echoParts(const QByteArray& path, int echoes) const;
    // Where a move from `from` to `goal` turns back: past the goal by the
    // backlash where the direction compensates its motion, else the goal.
    int turnOf(int from, int goal) const;
    // The parts with the pause of the move under way put in.
    std::vector<DeviceSimulator::ReplyPart> withPause(std::vector<DeviceSimulator::ReplyPart> parts) const;
    DeviceSimulator::Response wander(int swing);
    // Where a move from `from` by `turn` to `goal` stops once `echoed` of
    // its echoes went out, `unreported` steps made before them.
    std::vector<DeviceSimulator::ReplyPart> stopMove(const QByteArray& received, int from, int turn, int goal,
                                                     int unreported, int echoed);
    int positionLocked() const;

    mutable std::mutex m_mutex;
    QList<QByteArray> m_commands;
    DeviceSimulator& m_device;
    QList<QByteArray> m_duringMoves;
    QList<std::chrono::milliseconds> m_silences;
    // Where the last move ends (where the motor is once it has), and where
    // and when it began.
    int m_position = 3000;
    int m_from = 3000;
    int m_turn = 3000;
    std::chrono::steady_clock::time_point m_moveStart;
    std::chrono::milliseconds m_stepTime{0};
    int m_maximum = 64000;
    int m_direction = 2;
    std::array<int, 2> m_backlash{};
    std::array<quint8, 3> m_config{50, 1, 4};
    std::array<bool, 4> m_outputs{};
    int m_temperature = 596;
    QByteArray m_lead;
    bool m_garbleNext = false;
    std::chrono::milliseconds m_nextDelay{0};
    int m_hangAfter = -1;
    bool m_isHung = false;
    // Moves made so far, and the faults set for later ones.
    int m_moves = 0;
    int m_lostEndMove = -1;
    int m_pausedMove = -1;
    int m_pauseAfter = 0;
    std::chrono::milliseconds m_pause{0};
    char m_noise = 0;
    int m_wanderMove = -1;
    int m_shortBy = 0;
    int m_runOn = 0;
    int m_swing = 0;
};
