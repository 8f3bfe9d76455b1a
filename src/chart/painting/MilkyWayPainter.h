#pragma once

class ChartCanvas;
class PrefControl;
struct ChartSky;
struct PrintMapping;

// The Milky Way's outlines as dotted lines: on screen the ready outlines of
// the projection pass that have a visible point; on paper each such outline
// anew from its table points, the page's clip limiting it.
class MilkyWayPainter {
public:
    explicit MilkyWayPainter(const PrefControl& prefs) : m_prefs(prefs) {}

    void paint(ChartCanvas& canvas, const ChartSky& sky);
    void print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping);

private:
    const PrefControl& m_prefs;
};
