// The call goes to the fit module, loaded with the first autofocus curve, so
// that a start maps neither LAPACK nor BLAS.
#include "focus/FocusCurveFit.h"

#include "focus/FocusFitModule.h"
#include "platform/DeviceModule.h"

std::optional<FocusFit> FocusCurveFit::fit(std::span<const FocusSample> samples, double scale)
{
    static FocusFitModule::Fit* const fit = DeviceModule::functionOrWarn<FocusFitModule::Fit>(
        FocusFitModule::kName, FocusFitModule::kFit, QStringLiteral("the autofocus curve fit"));
    return fit ? fit(samples, scale) : std::nullopt;
}
