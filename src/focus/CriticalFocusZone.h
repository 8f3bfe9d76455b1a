#pragma once

// The critical focus zone in focuser steps for a telescope of focal ratio F.
namespace CriticalFocusZone {

// A focuser whose step is the unit of 1.019 F^2 (the Optec and MoonLite scale).
constexpr double unitSteps(double focalRatio)
{
    return focalRatio * focalRatio * 1.019;
}

// 0.0022 F^2 millimetres on a focuser of `maxSteps` steps over 76.2 mm of travel.
constexpr double travelSteps(double focalRatio, double maxSteps)
{
    return focalRatio * focalRatio * 0.0022 / (76.2 / maxSteps);
}

}  // namespace CriticalFocusZone
