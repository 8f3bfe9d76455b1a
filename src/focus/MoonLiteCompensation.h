#pragma once

#include "focus/StarMeasure.h"

#include <QtGlobal>

#include <optional>

// The arithmetic of the MoonLite window's temperature compensation: a slope
// in steps per degree of cooling, learned from two points or typed in, and
// the move each compensation tick makes of a temperature change.
namespace MoonLiteCompensation {

// Learning needs at least this much cooling, °C.
constexpr float kLeastLearnDelta = 1.0f;
constexpr float kLeastTickDelta = 0.1f;
constexpr int kLeastSteps = 2;

// The steps moved per degree of cooling since the start; nothing when it
// has not cooled by kLeastLearnDelta.
std::optional<float> learnedSlope(float startTemp, quint16 startUnits, float temp, quint16 units);

struct Step {
    enum Outcome { SmallDelta, SmallSteps, BelowZero, AboveMax, Move };
    Outcome outcome = SmallDelta;
    qint16 steps = 0;   // outward positive
    int target = 0;
};

// What a tick does at position `units` and temperature `temp`, the last
// move having been made at `prevTemp`.
Step step(float prevTemp, float temp, float slope, quint16 units, quint16 maxSteps);

}  // namespace MoonLiteCompensation

// The MoonLite autofocus star box: 120 pixels square, its search radius
// kept within the box around the centroid.
namespace MoonLiteStarBox {

constexpr int kBoxSize = 120;
// Below this the star lies too near the box's edge to measure well.
constexpr int kSmallRadius = 9;

int largestRadius(QPointF centroidInBox);
// The rule; a radius below kSmallRadius beeps and the measurement goes on.
StarBoxRule rule();

}  // namespace MoonLiteStarBox
