#pragma once

#include "platform/DisplayGamma.h"

#include <functional>

// Dims the display to the night-vision formula, or brings it back, in twenty
// steps of the channels' maxima about 0.05 s apart. Going back ends on the
// exact ramps the display had when the program started, not on a formula.
class NightVisionFade {
public:
    static constexpr int kSteps = 20;
    static constexpr int kStepMilliseconds = 50;  // three ticks of 1/60 s

    using Wait = std::function<void(int milliseconds)>;
    // `wait` pauses between the steps; the thread sleeps unless replaced.
    explicit NightVisionFade(DisplayGamma& gamma, Wait wait = {});

    // `night` is the night-vision formula; the fade keeps the minima and
    // gammas of the formula the display shows now.
    void fadeIn(const GammaFormula& night);
    void fadeOut(const GammaFormula& night);

private:
    void fade(const GammaFormula& shown, const GammaFormula& night, std::array<float, 3> maxima, float sign);

    DisplayGamma& m_gamma;
    Wait m_wait;
};
