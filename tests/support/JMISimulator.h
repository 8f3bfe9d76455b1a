#pragma once

#include "DeviceSimulator.h"

#include <QByteArray>
#include <QList>

#include <mutex>

// A JMI focuser for DeviceSimulator: it answers "b" with "bj", echoes each
// command letter, reports its position ("p", high byte first) and status
// byte ("t"), and ends each go-to by sending "c" (or "r") unasked once the
// move time has passed.
class JMISimulator {
public:
    explicit JMISimulator(DeviceSimulator& device);

    void setPosition(quint16 position);
    void setStatus(quint8 status);
    void setMoveTime(DeviceSimulator::Duration time);
    void setGotoEnd(char end);
    // Status requests get no answer (the rest still do).
    void silenceStatus(bool silent);
    // The next go-to's motor stops `steps` short of its goal (held back by
    // its load), and the controller ends the move there as at its goal.
    void stopNextMoveShort(int steps);
    // Each go-to runs until a stop comes, and its end byte goes out just
    // before the stop's echo: a stop that surely lands during the move, with
    // its echo late.
    void endMovesOnlyOnStop(bool onStop);

    quint16 position() const;
    quint16 maximum() const;
    // Each go-to's target, in order.
    QList<quint16> gotos() const;
    // Each whole command received, in order.
    QList<QByteArray> commands() const;

private:
    DeviceSimulator::Response answer(const QByteArray& pending);

    mutable std::mutex m_mutex;
    quint16 m_position = 0;
    quint16 m_maximum = 65535;
    quint8 m_status = 0;
    DeviceSimulator::Duration m_moveTime{250};
    char m_gotoEnd = 'c';
    bool m_silentStatus = false;
    int m_shortBy = 0;
    bool m_endOnStop = false;
    bool m_endOwed = false;
    QList<quint16> m_gotos;
    QList<QByteArray> m_commands;
};
