#pragma once

#include "focus/FocusCurveFit.h"

// The focus-curve fit solves with LAPACK and BLAS, whose libraries (and
// their Fortran run time) only an autofocus run needs: the fit
// (LapackFocusCurveFit) lives in a module loaded with the first run's curve
// (DeviceModule), which exports it as Fit; FocusCurveFit hands its call on
// to it.
namespace FocusFitModule {

inline constexpr const char* kName = "norvane-focusfit";
inline constexpr const char* kFit = "norvaneFocusCurveFit";
using Fit = std::optional<FocusFit>(std::span<const FocusSample> samples, double scale);

}  // namespace FocusFitModule
