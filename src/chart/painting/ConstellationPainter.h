#pragma once

#include "skydraw/LabelCache.h"

#include <QLineF>

#include <vector>

class ChartCanvas;
class PrefControl;
struct ChartSky;
struct PrintMapping;

// The constellation figure lines between stars on screen and the
// constellation names at their label points.
class ConstellationPainter {
public:
    explicit ConstellationPainter(const PrefControl& prefs) : m_prefs(prefs) {}

    void paint(ChartCanvas& canvas, const ChartSky& sky);
    void print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping);

private:
    void draw(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping, bool isPaper);

    const PrefControl& m_prefs;
    LabelCache m_labels;
    LabelCache m_printLabels;
    std::vector<QLineF> m_lines;
};
