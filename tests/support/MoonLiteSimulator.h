#pragma once

#include "DeviceSimulator.h"

#include <QByteArray>
#include <QList>

#include <chrono>
#include <mutex>

// A MoonLite focuser for DeviceSimulator: it takes ":" + command + "#",
// answers the reads with upper-case hexadecimal digits and "#", and moves
// to its new position over the move time after ":FG#". Its temperature is
// a signed 16-bit count of half degrees.
class MoonLiteSimulator {
public:
    explicit MoonLiteSimulator(DeviceSimulator& device);

    void setPosition(quint16 position);
    void setTemperature(float celsius);
    void setCoefficientDigits(quint8 raw);
    void setStepDelay(quint8 delay);
    void setMoveTime(std::chrono::milliseconds time);
    // From now on a move is paced by the step delay instead: each step
    // takes the delay code times `unit`.
    void setDelayUnit(std::chrono::microseconds unit);
    // Faults: a digit that is not hexadecimal, a reply without its "#".
    void sendNonHexDigits(bool on);
    void dropHash(bool on);
    // From the next go-to on, the motor says it moves and makes no step
    // until a stop.
    void stallMotor();
    // The next go-to's motor stops `steps` short of its goal (held back by
    // its load), and the controller ends the move there as at its goal.
    void stopNextMoveShort(int steps);

    quint16 position() const;
    quint16 newPosition() const;
    bool isHalfStep() const;
    quint8 stepDelay() const;
    // Each whole command, without ":" and "#".
    QList<QByteArray> commands() const;
    // The positions each ":FG#" went to.
    QList<quint16> gotos() const;

private:
    DeviceSimulator::Response answer(const QByteArray& pending);
    QByteArray replyTo(const QByteArray& body);
    QByteArray digits(quint16 value, int count) const;
    bool isMovingLocked();

    mutable std::mutex m_mutex;
    quint16 m_position = 0;
    quint16 m_newPosition = 0;
    quint16 m_from = 0;
    std::chrono::steady_clock::time_point m_moveStart;
    std::chrono::milliseconds m_moveTime{200};
    std::chrono::microseconds m_delayUnit{0};
    // What the move under way takes.
    std::chrono::microseconds m_moveFor{0};
    bool m_isMoving = false;
    bool m_stallNext = false;
    int m_shortBy = 0;
    bool m_isStalled = false;
    qint16 m_halfDegrees = 40;
    quint8 m_coefficient = 0;
    quint8 m_stepDelay = 2;
    bool m_isHalfStep = false;
    bool m_nonHex = false;
    bool m_noHash = false;
    QList<QByteArray> m_commands;
    QList<quint16> m_gotos;
};
