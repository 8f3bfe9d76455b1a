#include "focus/JMISpeeds.h"

#include <algorithm>
#include <cmath>

namespace {

quint16 truncated(float value)
{
    if (!(value > 0.0f))
        return 0;
    return quint16(std::min(value, 65535.0f));
}

}  // namespace

JMISpeeds JMISpeeds::forMaximum(quint16 maximum, float slowAdj, float fastAdj, float ioAdj)
{
    const auto max = float(maximum);
    return {truncated(max * fastAdj / 10.0f), truncated(ioAdj * max / 20.0f),
            truncated(slowAdj * max / 100.0f)};
}

namespace JMISpeedSlider {

float factor(int slider)
{
    return std::pow(2.0f, float(slider) / 25.0f);
}

int position(float factor)
{
    if (!(factor > 0.0f) || !std::isfinite(factor))
        return 0;
    return int(std::lround(25.0f * std::log2(factor)));
}

}  // namespace JMISpeedSlider
