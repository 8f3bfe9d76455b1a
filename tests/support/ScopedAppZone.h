#pragma once

#include "platform/AppTimeZone.h"

#include <QTimeZone>

// Puts the program in another zone for one test and back afterwards. A whole
// hour offset unlike any machine's default keeps the machine's zone visible
// in a fault: the dates a test reads change day across it.
class ScopedAppZone {
public:
    explicit ScopedAppZone(const QTimeZone& zone = QTimeZone(kAheadSeconds)) : m_saved(AppTimeZone::zone())
    {
        AppTimeZone::setZone(zone);
    }
    ~ScopedAppZone() { AppTimeZone::setZone(m_saved); }
    ScopedAppZone(const ScopedAppZone&) = delete;
    ScopedAppZone& operator=(const ScopedAppZone&) = delete;

    static constexpr int kAheadSeconds = 13 * 3600;

private:
    QTimeZone m_saved;
};
