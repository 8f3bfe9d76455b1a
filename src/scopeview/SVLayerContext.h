#pragma once

#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartImageSet.h"
#include "skydraw/FindMark.h"

#include <QColor>
#include <QImage>
#include <QPointF>

#include <array>

class PrefControl;
class SVDrawPass;
class SVProjection;
struct ChartSky;
struct SVAngles;

// What every layer of one drawing pass of the telescope view reads: the
// pass (canvas and labels), the projection, the scale, the records and the
// settings. Layers draw in view coordinates (points, y upward).
struct SVLayerContext {
    SVDrawPass& pass;
    ChartCanvas& canvas;
    const SVProjection& projection;
    const SVAngles& angles;
    const ChartSky& sky;
    const PrefControl& prefs;
    const ChartImageSet* images;  // none: no sprites, symbols or marks
    bool isNightVision;
    int findIndex;
    // On paper: page points per screen point (0 on screen), and the print
    // symbols in the places of the chart's (an empty image draws nothing).
    double printScale = 0.0;
    using PrintSymbols = std::array<QImage, std::size_t(ChartImageSet::Symbol::Count)>;
    const PrintSymbols* printSymbols = nullptr;

    bool isPrint() const { return printScale > 0.0; }
    // Paper is black on white: every screen colour prints black.
    QColor ink(const QColor& screen) const { return isPrint() ? QColor(Qt::black) : screen; }

    // An image of the chart's set with its lower-left corner at the point.
    void drawSymbol(ChartImageSet::Symbol symbol, QPointF lowerLeft) const
    {
        if (printSymbols)
            canvas.drawImage(lowerLeft, (*printSymbols)[std::size_t(symbol)]);
        else if (images)
            canvas.drawImage(lowerLeft, images->symbol(symbol));
    }
    // The find mark about an object at the point.
    void drawFindMark(QPointF at) const
    {
        if (images)
            FindMark::draw(canvas, *images, isNightVision, at, 1.0f);
    }
};
