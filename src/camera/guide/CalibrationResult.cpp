#include "camera/guide/CalibrationResult.h"

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589794;
constexpr double kTwoPi = 6.283185307179588;
constexpr double kQuarterTurn = 1.570796326794897;

// The rate along `angle` of a velocity (x, y), taken from its larger component.
float rateAlong(float angle, float x, float y)
{
    const float c = std::cos(angle);
    const float s = std::sin(angle);
    return std::fabs(c) > std::fabs(s) ? x / c : y / s;
}

}  // namespace

CalibrationResult CalibrationResult::compute(float xXDrive, float yXDrive, float xYDrive, float yYDrive)
{
    CalibrationResult r;
    r.angleA = std::atan2(yXDrive, xXDrive);
    r.angleB0 = std::atan2(yYDrive, xYDrive);
    r.angleB = float(r.angleA + kQuarterTurn);
    if (r.angleB > kPi)
        r.angleB = float(r.angleB - kTwoPi);
    r.rawX = rateAlong(r.angleA, xXDrive, yXDrive);
    r.rawY = rateAlong(r.angleB, xYDrive, yYDrive);
    r.guideCosA = std::cos(-r.angleA);
    r.guideSinA = std::sin(-r.angleA);
    r.guideCosB = std::cos(r.angleB);
    r.guideSinB = std::sin(r.angleB);
    r.xDrive = std::fabs(r.rawX);
    r.yDrive = std::fabs(r.rawY);
    // Directions either side of ±180° are close: the difference is reduced
    // to (−π, π] before it is compared.
    const double turn = std::remainder(double(r.angleB) - double(r.angleB0), kTwoPi);
    if (std::fabs(turn) > kMirrorAngle)
        r.yDrive = -r.yDrive;

    // Written so that a rate that is not a number fails too.
    const auto within = [](float v, float least, float most) { return v >= least && v <= most; };
    const float y = std::fabs(r.yDrive);
    if (!within(r.xDrive, kLeastRate, kMostRate) || !within(y, kLeastRate, kMostRate))
        r.verdict = Verdict::DriveOutsideBounds;
    else if (!within(r.xDrive / y, kLeastRatio, kMostRatio))
        r.verdict = Verdict::RatioOutsideBounds;
    return r;
}
