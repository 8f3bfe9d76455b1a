#pragma once

#include <QtGlobal>

// The JMI window's set-up fields as the command layer shows its state.
class JMISetupDisplay {
public:
    virtual ~JMISetupDisplay() = default;
    virtual void setJMIBacklashButton(bool on) = 0;
    virtual void setJMIBacklashText(quint16 amount) = 0;
    virtual void setJMIMaxValueText(quint16 maximum) = 0;
    // The three adjustment factors, slow, fast and in/out.
    virtual void setJMISpeedSlider(float slow, float fast, float io) = 0;
};
