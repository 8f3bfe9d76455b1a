#pragma once

#include <cmath>
#include <numbers>

// An angle's sine and cosine carried along as the angle changes. The library's
// sine and cosine reduce the argument and set the rounding mode on every call;
// a step's own pair from its series, turned onto the last pair, costs a
// fraction of that and is as exact for steps up to kSeriesReach.
struct SinCos {
    double sin = 0.0;
    double cos = 1.0;

    // Radians: steps up to kSeriesReach are taken on the series, to the last
    // bit (the first terms left out are under 1e-18), the short series up to
    // kShortReach.
    static constexpr double kSeriesReach = 0.3;
    static constexpr double kShortReach = 0.03;

    static SinCos of(double angle) { return {std::sin(angle), std::cos(angle)}; }

    // The angle of the point (x, y), -pi..pi, as std::atan2 gives it, from
    // the library's arctangent of the smaller ratio (a third of atan2's time).
    static double angleOf(double y, double x)
    {
        constexpr double kPi = std::numbers::pi;
        if (std::abs(y) <= std::abs(x)) {
            const double angle = x == 0.0 ? y : std::atan(y / x);
            return !std::signbit(x) ? angle : (!std::signbit(y) ? angle + kPi : angle - kPi);
        }
        return (y > 0.0 ? 0.5 * kPi : -0.5 * kPi) - std::atan(x / y);
    }

    // The pair of a step |step| <= kSeriesReach, from the series.
    static SinCos ofStep(double step)
    {
        const double s = step * step;
        if (std::abs(step) <= kShortReach)
            return {step * (1.0 + s * (-1.0 / 6.0 + s * (1.0 / 120.0 + s * (-1.0 / 5040.0)))),
                    1.0 + s * (-0.5 + s * (1.0 / 24.0 + s * (-1.0 / 720.0 + s * (1.0 / 40320.0))))};
        return {step * (1.0 + s * (-1.0 / 6.0 + s * (1.0 / 120.0 + s * (-1.0 / 5040.0 + s * (1.0 / 362880.0
                    + s * (-1.0 / 39916800.0 + s * (1.0 / 6227020800.0))))))),
                1.0 + s * (-0.5 + s * (1.0 / 24.0 + s * (-1.0 / 720.0 + s * (1.0 / 40320.0
                    + s * (-1.0 / 3628800.0 + s * (1.0 / 479001600.0))))))};
    }

    // The pair of this angle plus the step whose pair is given.
    SinCos turnedBy(const SinCos& step) const
    {
        return {sin * step.cos + cos * step.sin, cos * step.cos - sin * step.sin};
    }

    // The pair of `angle`, which is this pair's angle plus `step`: from the
    // series for a small step, else from the library.
    SinCos movedTo(double angle, double step) const
    {
        return std::abs(step) <= kSeriesReach ? turnedBy(ofStep(step)) : of(angle);
    }
};
