#pragma once

#include "focus/FocusCurveFit.h"

// FocusCurveFit's fit, solved with LAPACK and BLAS: the fit module's code
// (FocusFitModule), which the program reaches through FocusCurveFit.
class LapackFocusCurveFit {
public:
    // As FocusCurveFit::fit.
    static std::optional<FocusFit> fit(std::span<const FocusSample> samples, double scale);
};
