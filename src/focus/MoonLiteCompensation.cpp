#include "focus/MoonLiteCompensation.h"

#include "platform/AlertPanel.h"

#include <algorithm>
#include <cmath>

namespace MoonLiteCompensation {

std::optional<float> learnedSlope(float startTemp, quint16 startUnits, float temp, quint16 units)
{
    const float delta = startTemp - temp;
    if (!(delta >= kLeastLearnDelta))
        return std::nullopt;
    return float(qint16(units - startUnits)) / delta;
}

Step step(float prevTemp, float temp, float slope, quint16 units, quint16 maxSteps)
{
    Step result;
    const float delta = prevTemp - temp;
    if (!(std::fabs(delta) >= kLeastTickDelta))
        return result;
    const float steps = std::clamp(delta * slope, -32768.0f, 32767.0f);
    result.steps = qint16(steps);
    result.target = units + result.steps;
    if (std::abs(result.steps) < kLeastSteps)
        result.outcome = Step::SmallSteps;
    else if (result.target < 0)
        result.outcome = Step::BelowZero;
    else if (result.target > maxSteps)
        result.outcome = Step::AboveMax;
    else
        result.outcome = Step::Move;
    return result;
}

}  // namespace MoonLiteCompensation

namespace MoonLiteStarBox {

int largestRadius(QPointF c)
{
    const bool nearStart = c.x() < 16 || c.y() < 16;
    const bool nearEnd = c.x() > 44 || c.y() > 44;
    const int toStart = int(std::min(c.x(), c.y()));
    const int toEnd = int(kBoxSize - std::max(c.x(), c.y()));
    if (nearStart && nearEnd)
        return std::min(toStart, toEnd);
    if (nearStart)
        return toStart;
    if (nearEnd)
        return toEnd;
    return 15;
}

StarBoxRule rule()
{
    return {kBoxSize, [](QPointF centroid) {
                const int radius = largestRadius(centroid);
                if (radius < kSmallRadius)
                    AlertPanel::beep();
                // A centroid on the box's edge still searches one pixel.
                return std::max(radius, 1);
            }};
}

}  // namespace MoonLiteStarBox
