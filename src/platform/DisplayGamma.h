#pragma once

#include <QByteArray>
#include <QtGlobal>

#include <array>
#include <memory>
#include <vector>

// A display's transfer formula, nine values: red minimum, maximum and gamma,
// then green, then blue. Each output level is min + (max - min) * x^gamma for
// an input level x from 0 to 1.
using GammaFormula = std::array<float, 9>;

// The gamma of the screen the program shows on; night vision dims it to red.
// Where the gamma cannot be set (no X display, Wayland, offscreen) every call
// is a harmless no-op and displayID() is 0.
class DisplayGamma {
public:
    virtual ~DisplayGamma() = default;

    // X11 RandR gamma ramps when the application runs on Qt's "xcb" platform,
    // else the no-op.
    static std::unique_ptr<DisplayGamma> create();
    // The named X display ("" means $DISPLAY), whose ramps are put back
    // however this process ends; the no-op when it cannot be opened or has no
    // output whose gamma can be set.
    static std::unique_ptr<DisplayGamma> openX11(const QByteArray& displayName);

    // 0 when there is no display whose gamma can be set.
    virtual quint32 displayID() const = 0;
    // The formula the display had when it was opened (an estimate from its
    // ramps; the identity 0, 1, 1 for each channel on the no-op).
    virtual GammaFormula defaultFormula() const = 0;
    // Sets every output to the formula; false when nothing was set.
    virtual bool setFormula(const GammaFormula& formula) = 0;
    // Puts back the exact ramps found at opening; false when nothing was set.
    virtual bool restoreDefault() = 0;

    // One channel's ramp of `size` 16-bit levels for minimum, maximum and gamma.
    static std::vector<quint16> rampFromFormula(float minimum, float maximum, float gamma, int size);
    // Minimum, maximum and gamma that best describe one channel's ramp; the
    // identity when the ramp is flat or too short to tell.
    static std::array<float, 3> formulaFromRamp(const quint16* ramp, int size);
};
