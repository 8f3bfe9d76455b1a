#pragma once

#include "skydraw/LabelCache.h"

#include <QLineF>

#include <vector>

class ChartCanvas;
class PrefControl;
struct ChartSky;
struct GridLayerStyle;

// The horizontal layers from the altitude-azimuth grid table: azimuth lines
// and altitude circles with their labels and the zenith mark, and (on
// screen only) the meridian, each when its setting is on.
class HorizonGridPainter {
public:
    // The table's layout: 36 azimuth lines of 41 points from the horizon up
    // (line 0 south, line 18 north), 9 altitude circles of 181 points, the zenith.
    static constexpr int kLinePoints = 41;
    static constexpr int kNumLines = 36;
    static constexpr int kFirstCirclePoint = kLinePoints * kNumLines;  // 1476
    static constexpr int kCirclePoints = 181;
    static constexpr int kZenith = 3105;
    static constexpr int kNumPoints = 3106;

    explicit HorizonGridPainter(const PrefControl& prefs) : m_prefs(prefs) {}

    void paint(ChartCanvas& canvas, const ChartSky& sky, const GridLayerStyle& style);

    // The label of azimuth line r: 180° for line 0, then every 10° round to 170°.
    static int azimuthLabel(int line);

private:
    void paintGrid(ChartCanvas& canvas, const ChartSky& sky, const GridLayerStyle& style);
    void paintMeridian(ChartCanvas& canvas, const ChartSky& sky);

    const PrefControl& m_prefs;
    LabelCache m_labels;
    std::vector<QLineF> m_lines;
};
