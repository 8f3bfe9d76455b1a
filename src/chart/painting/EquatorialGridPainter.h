#pragma once

#include "skydraw/LabelCache.h"

#include <QLineF>

#include <vector>

class ChartCanvas;
class PrefControl;
struct ChartSky;
struct GridLayerStyle;

// The equatorial layers from the grid table: the hour and declination
// circles with their labels and the pole mark, the ecliptic and the
// celestial equator, each when its setting is on. A point that is not
// visible breaks every line through it.
class EquatorialGridPainter {
public:
    // The table's layout: 24 hour circles of 81 points (declination −80° to
    // +80°), 17 declination circles of 61 points, the ecliptic, the poles.
    static constexpr int kHourPoints = 81;
    static constexpr int kFirstDecPoint = 1944;
    static constexpr int kDecPoints = 61;
    static constexpr int kFirstEclipticPoint = 2981;
    static constexpr int kLastEclipticPoint = 3041;
    static constexpr int kNorthPole = 3042;
    static constexpr int kSouthPole = 3043;
    static constexpr int kNumPoints = 3044;

    explicit EquatorialGridPainter(const PrefControl& prefs) : m_prefs(prefs) {}

    void paint(ChartCanvas& canvas, const ChartSky& sky, const GridLayerStyle& style);

private:
    void paintGrid(ChartCanvas& canvas, const ChartSky& sky, const GridLayerStyle& style);
    void paintLabels(ChartCanvas& canvas, const ChartSky& sky, const GridLayerStyle& style);
    void paintEcliptic(ChartCanvas& canvas, const ChartSky& sky, const GridLayerStyle& style);
    void paintEquator(ChartCanvas& canvas, const ChartSky& sky, const GridLayerStyle& style);

    const PrefControl& m_prefs;
    LabelCache m_labels;
    std::vector<QLineF> m_lines;
};
