#pragma once

#include <QLineF>

#include <vector>

class ChartCanvas;
class PrefControl;
struct ChartSky;
struct PrintMapping;

// The constellation boundaries: polylines through the boundary table's
// visible points, one line per line id, broken at every hidden point.
class BoundaryPainter {
public:
    explicit BoundaryPainter(const PrefControl& prefs) : m_prefs(prefs) {}

    void paint(ChartCanvas& canvas, const ChartSky& sky);
    void print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping);

    // The polylines' segments, in the mapping's coordinates. A hidden point
    // ends the current line, so the next visible point always starts a new
    // one, even with the same id (or the id 0).
    static void buildLines(std::vector<QLineF>& lines, const ChartSky& sky, const PrintMapping& mapping);

private:
    const PrefControl& m_prefs;
    std::vector<QLineF> m_lines;
};
