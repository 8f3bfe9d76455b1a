#pragma once

#include "focus/FocusSample.h"

#include <array>
#include <optional>
#include <span>

// The parabola area = a0 + a1 x + a2 x^2 fitted by least squares to the
// samples of a run, x being the position over the focuser's scale N, and its
// vertex as the best focus.
struct FocusFit {
    std::array<double, 3> coeff{};  // a0, a1, a2
    quint16 bestFocus = 0;          // steps, the vertex clamped to 0 ... N
    float rms = 0.0f;               // standard error of the best focus, steps
};

// The program's fit: the fit module's (FocusFitModule), loaded with the
// first call; none, the user told, when the module is missing.
class FocusCurveFit {
public:
    // Empty unless there are at least three samples at three distinct
    // positions, every area is finite, the curve opens upward and every
    // result is finite: a run that cannot show a minimum gives no best focus.
    static std::optional<FocusFit> fit(std::span<const FocusSample> samples, double scale);
};
