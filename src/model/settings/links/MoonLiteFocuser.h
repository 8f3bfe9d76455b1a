#pragma once

#include <QtGlobal>

// The MoonLite focuser controller's settings; moonSetMax stores both again
// through the settings object's saveMoonPrefs.
class MoonLiteFocuser {
public:
    virtual ~MoonLiteFocuser() = default;
    virtual void moonSetSlope(float slope) = 0;
    virtual void moonSetMax(quint16 maximum) = 0;
    virtual float moonSlope() const = 0;
    virtual quint16 moonMaxPosn() const = 0;
};
