#pragma once

#include "DeviceSimulator.h"

#include <QString>

#include <termios.h>

// A simulated serial device behind a pseudo-terminal: the program opens the
// slave path as it would a port; the simulator serves the master side. A
// pty carries no speed or parity; its other terminal settings are the
// slave's.
class PtyDevice {
public:
    PtyDevice();
    ~PtyDevice();
    PtyDevice(const PtyDevice&) = delete;
    PtyDevice& operator=(const PtyDevice&) = delete;

    QString path() const { return m_path; }
    DeviceSimulator& simulator() { return m_simulator; }
    const DeviceSimulator& simulator() const { return m_simulator; }
    void start();
    // The device goes away: the master side closes.
    void closeMaster() { m_simulator.stop(); }
    // The settings the slave has now.
    termios settings() const;

private:
    int m_master = -1;
    int m_slave = -1;   // held open so the pty outlives the program's closes
    QString m_path;
    DeviceSimulator m_simulator;
};
