#pragma once

#include <QColor>
#include <QLineF>
#include <QPointF>

#include <cstdint>
#include <functional>

// One meteor: a spark that runs nine steps straight out from a point two
// steps off the radiant, each segment shown for a few ticks. A long step (more
// than 20 points right or up) runs slower and flares in its middle steps.
struct MeteorStreak {
    static constexpr int kSteps = 9;
    static constexpr int kTickMs = 1000 / 60;  // the system's tick, 1/60 s
    // Uniform over 0 … 2^31 − 1.
    using Random = std::function<std::uint32_t()>;

    QPointF start;
    QPointF step;
    bool isBright = false;

    // From the radiant's chart point, in a chart `viewWidth` points wide:
    // each step is at most a fortieth of the width in either direction.
    static MeteorStreak launch(QPointF radiant, float viewWidth, const Random& random);

    // Segment j (0 … 8) and its colour; how long each segment shows.
    QLineF segment(int j) const;
    QColor color(int j) const;
    int ticksPerStep() const;
};
