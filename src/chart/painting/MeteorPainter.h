#pragma once

#include "skydraw/LabelCache.h"

#include <optional>
#include <span>

class ChartCanvas;
class MeteorShowerTimer;
class PrefControl;
struct ChartSky;
struct meteor;

// The radiant of the first active meteor shower: a cross and its name. The
// shower's streaks run from the timer, which this layer starts.
class MeteorPainter {
public:
    explicit MeteorPainter(const PrefControl& prefs) : m_prefs(prefs) {}

    // Where the streaks go; none draws the radiant only.
    void setShowerTimer(MeteorShowerTimer* timer) { m_timer = timer; }
    void paint(ChartCanvas& canvas, const ChartSky& sky);

    // The first shower in table order whose radiant is on the chart near its
    // peak and that has a rate to show.
    static std::optional<int> firstShower(std::span<const meteor> meteors);

private:
    const PrefControl& m_prefs;
    MeteorShowerTimer* m_timer = nullptr;
    LabelCache m_labels;
};
