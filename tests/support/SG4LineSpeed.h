#pragma once

#include "mount/SerialControl.h"

#include <termios.h>

#include <atomic>
#include <memory>

// The speed the program set on the SG-4 line; B0 before it set one.
inline speed_t lineSpeedOf(const SerialControl& serial)
{
    const std::optional<termios> settings = serial.requestedSettings(kSerialSlotSG4);
    return settings ? cfgetospeed(&*settings) : B0;
}

// The SG-4 line's speed as a simulated camera hears it. Once the program
// closed the line, the camera may still be reading bytes sent before: they
// went at the line's last speed.
class SG4LineSpeed {
public:
    explicit SG4LineSpeed(const SerialControl& serial) : m_serial(serial) {}

    speed_t operator()() const
    {
        if (const speed_t now = lineSpeedOf(m_serial); now != B0)
            m_last->store(now);
        return m_last->load();
    }

private:
    const SerialControl& m_serial;
    // Shared by the copies the simulator keeps.
    std::shared_ptr<std::atomic<speed_t>> m_last = std::make_shared<std::atomic<speed_t>>(B0);
};
