// The entry of the focus-curve fit module.
#include "focus/FocusFitModule.h"
#include "focus/LapackFocusCurveFit.h"

extern "C" Q_DECL_EXPORT std::optional<FocusFit> norvaneFocusCurveFit(std::span<const FocusSample> samples,
                                                                      double scale)
{
    return LapackFocusCurveFit::fit(samples, scale);
}
