#include "PtyDevice.h"

#include <pty.h>
#include <unistd.h>

#include <stdexcept>

PtyDevice::PtyDevice()
{
    char name[128] = {};
    if (openpty(&m_master, &m_slave, name, nullptr, nullptr) != 0)
        throw std::runtime_error("openpty failed");
    m_path = QString::fromLocal8Bit(name);
}

PtyDevice::~PtyDevice()
{
    m_simulator.stop();
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

void PtyDevice::start()
{
    m_simulator.start(m_master);
    m_master = -1;
}

termios PtyDevice::settings() const
{
    termios current{};
    tcgetattr(m_slave, &current);
    return current;
}
