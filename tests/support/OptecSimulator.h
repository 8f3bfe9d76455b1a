#pragma once

#include "DeviceSimulator.h"

#include <QByteArray>
#include <QList>

#include <chrono>
#include <mutex>

// An Optec TCF-S controller for DeviceSimulator: six-character commands and
// CR LF, a position of 0 … 7000 that moves toward its goal over time
// (answering "FPOSRO" short while it moves), a temperature probe that reads,
// fails ("ER=1") or reports a remote reading, two stored slopes, and in the
// auto modes A and B a stream of position and temperature records.
class OptecSimulator {
public:
    enum class Probe { Good, Failed, Remote };

    explicit OptecSimulator(DeviceSimulator& device);

    // Set at any time.
    void setPosition(int units);
    void setTemperature(double celsius);
    void setProbe(Probe probe);
    // Steps a move covers each millisecond; 0: moves end at once.
    void setStepsPerMs(double steps);
    // How often the auto modes stream, from the next mode command on.
    void setStreamEvery(std::chrono::milliseconds every);
    // Neither answers nor streams any more; its port stays open.
    void fallSilent();
    // The next "FPOSRO" requests are answered with these replies, in order,
    // as a line that loses or garbles bytes gives them.
    void answerPositionWith(QList<QByteArray> replies);
    // The next go-to's motor stops `steps` short of its goal (held back by
    // its load), and the controller ends the move there as at its goal.
    void stopNextMoveShort(int steps);

    int position() const;
    int mode() const;
    int slope(char which) const;
    // The commands received, each whole without its CR LF, in order.
    QList<QByteArray> commands() const;

private:
    DeviceSimulator::Response answer(const QByteArray& pending);
    QByteArray replyTo(const QByteArray& command);
    // Where the focuser is now, the move done when its time is up.
    int positionNowLocked();
    void moveLocked(int goal);
    QByteArray streamLocked() const;
    QByteArray temperatureLocked() const;

    DeviceSimulator& m_device;
    mutable std::mutex m_mutex;
    QList<QByteArray> m_commands;
    QList<QByteArray> m_positionReplies;
    int m_from = 3500;
    int m_goal = 3500;
    int m_shortBy = 0;
    std::chrono::steady_clock::time_point m_moveStart;
    double m_stepsPerMs = 0.0;
    std::chrono::milliseconds m_streamEvery{100};
    double m_temperature = 21.5;
    Probe m_probe = Probe::Good;
    int m_mode = 1;
    int m_slopeA = 0;
    int m_slopeB = 0;
};
