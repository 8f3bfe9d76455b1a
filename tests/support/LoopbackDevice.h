#pragma once

#include "DeviceSimulator.h"

#include <QString>

#include <thread>

// A simulated device behind a TCP port on 127.0.0.1, as the WiFi bridge
// presents one. It accepts one connection and serves it; or, when asked,
// never accepts and leaves later connections hanging.
class LoopbackDevice {
public:
    LoopbackDevice();
    ~LoopbackDevice();
    LoopbackDevice(const LoopbackDevice&) = delete;
    LoopbackDevice& operator=(const LoopbackDevice&) = delete;

    static QString address() { return QStringLiteral("127.0.0.1"); }
    QString port() const { return QString::number(m_port); }
    DeviceSimulator& simulator() { return m_simulator; }
    void start();
    // Fills the listen queue and accepts nothing, so that connecting stalls.
    void stall();
    // A port on which nothing listens.
    static QString closedPort();

private:
    int m_listener = -1;
    int m_stallers[2] = {-1, -1};
    quint16 m_port = 0;
    std::thread m_acceptor;
    DeviceSimulator m_simulator;
};
