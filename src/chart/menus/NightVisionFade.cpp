#include "chart/menus/NightVisionFade.h"

#include <QThread>

namespace {

// The brightest maximum the fade starts from or ends at.
constexpr float kFullMaximum = 0.996f;
constexpr int kMaximum = 1;  // minimum, maximum, gamma within a channel

}  // namespace

NightVisionFade::NightVisionFade(DisplayGamma& gamma, Wait wait)
    : m_gamma(gamma), m_wait(wait ? std::move(wait) : Wait([](int ms) { QThread::msleep(ms); }))
{
}

void NightVisionFade::fadeIn(const GammaFormula& night)
{
    fade(m_gamma.defaultFormula(), night, {kFullMaximum, kFullMaximum, kFullMaximum}, -1.0f);
    m_gamma.setFormula(night);
}

void NightVisionFade::fadeOut(const GammaFormula& night)
{
    fade(night, night, {night[kMaximum], night[3 + kMaximum], night[6 + kMaximum]}, 1.0f);
    m_gamma.restoreDefault();
}

void NightVisionFade::fade(const GammaFormula& shown, const GammaFormula& night, std::array<float, 3> maxima,
                           float sign)
{
    GammaFormula working = shown;
    for (int step = 1; step < kSteps; ++step) {
        for (int channel = 0; channel < 3; ++channel) {
            const float stepSize = (kFullMaximum - night[channel * 3 + kMaximum]) / kSteps;
            maxima[channel] += sign * stepSize;
            working[channel * 3 + kMaximum] = maxima[channel];
        }
        m_gamma.setFormula(working);
        m_wait(kStepMilliseconds);
    }
}
