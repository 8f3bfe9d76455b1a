#pragma once

#include <QtGlobal>

// The USB focus controller's speed (0..255) and pulse width of its two outputs.
class FCUSBFocuser {
public:
    virtual ~FCUSBFocuser() = default;
    virtual void setFCUSBSpeed(quint8 speed) = 0;
    virtual void setFCUSB2Speed(quint8 speed) = 0;
    virtual void setFCUSBPWM(quint16 pwm) = 0;
    virtual void setFCUSB2PWM(quint16 pwm) = 0;
    virtual quint8 fcusbSpeed() const = 0;
    virtual quint8 fcusbSpeed2() const = 0;
    virtual quint16 fcusbPWM() const = 0;
    virtual quint16 fcusbPWM2() const = 0;
};
