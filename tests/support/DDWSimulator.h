#pragma once

#include "DeviceSimulator.h"

#include <QByteArray>
#include <QStringList>

#include <mutex>

// A Digital Dome Works controller for DeviceSimulator: it answers its
// four-character commands, turns the dome toward a go-to azimuth by a step
// per status request, and streams its status record after motion commands.
class DDWSimulator {
public:
    static constexpr int kTicksPerTurn = 359;

    explicit DDWSimulator(DeviceSimulator& device);

    // The status record's shape and the dome's state; set at any time.
    void setFieldCount(int fields);
    void setTicksPerTurn(int ticks);
    void setAzimuth(int degrees);
    void setDSRStatus(int status);
    void setStepDegrees(int degrees);
    // Stale bytes sent after each streamed record, as a port may still hold.
    void setStaleTail(QByteArray tail);

    int azimuth() const;
    int goal() const;
    int pins() const;
    // The commands received, each whole, in order.
    QList<QByteArray> commands() const;
    QByteArray record() const;

private:
    DeviceSimulator::Response answer(const QByteArray& pending);
    QByteArray recordLocked() const;
    void stepLocked();

    mutable std::mutex m_mutex;
    QList<QByteArray> m_commands;
    int m_fields = 22;
    int m_ticks = kTicksPerTurn;
    int m_azimuth = 0;
    int m_goal = 0;
    int m_step = 360;
    int m_shutter = 1;
    int m_dsr = 1;
    int m_pins = 0;
    int m_slave = 0;
    QByteArray m_staleTail;
};
