#pragma once

#include <QtGlobal>

// The Optec focuser window's four speed slots: 0 fine, 1 slow, 2 medium, 3 fast.
class OptecFocuser {
public:
    virtual ~OptecFocuser() = default;
    virtual void setOptecSpeed(int slot, quint16 speed) = 0;
    virtual quint16 getOptecSpeed(int slot) const = 0;
};
