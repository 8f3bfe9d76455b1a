#pragma once

#include <QtGlobal>

// The JMI focuser controller's settings. Its setters of the maximum, the
// backlash amount and the backlash flag store the whole group again through
// the settings object's saveJMIPrefs.
class JMIFocuser {
public:
    virtual ~JMIFocuser() = default;
    virtual void setSlowAdj(float adjustment) = 0;
    virtual void setFastAdj(float adjustment) = 0;
    virtual void setIOAdj(float adjustment) = 0;
    virtual void setJMIMaxValue(quint16 maximum) = 0;
    // Refused (with a beep) above a quarter of the maximum.
    virtual void setJMIBacklash(quint16 amount) = 0;
    virtual void setIsJMIBacklash(bool on) = 0;
    virtual quint16 jmiMaxValue() const = 0;
    virtual quint16 jmiBacklash() const = 0;
    virtual bool isJMIBacklash() const = 0;
    virtual float jmiSlowAdj() const = 0;
    virtual float jmiFastAdj() const = 0;
    virtual float jmiIOAdj() const = 0;
};
