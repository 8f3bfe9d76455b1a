#pragma once

#include "chart/painting/TurnedFigureCache.h"

#include <QRectF>
#include <QStringList>
#include <QTransform>

#include <optional>

class ChartCanvas;
class ChartImageSet;
class PrefControl;
struct ChartSky;
struct PrintMapping;
struct conLocn;

// The 22 mythological figures: each centred on its constellation's label
// point, scaled to the chart's scale there and turned so that its top points
// to the celestial north, when the figures are on and the view is not the
// all-sky one.
class MythFigurePainter {
public:
    // The figures: the constellation label they belong to, their image, their
    // size factor and the turn (radians) that brings the drawing's north up.
    struct Row {
        int label;
        int figure;
        float sizeFactor;
        double turnOffset;
    };
    static const Row* rowOf(int label);

    // Where a figure goes: its image rectangle in the local system that
    // `transform` turns about the label point into chart coordinates.
    struct Placement {
        QRectF rect;
        QTransform transform;
    };
    // The placement on the chart of the figure of label `labelIndex`, whose
    // image has `imageSize`; none when the label has no figure or the
    // chart's scale there is 0.
    static std::optional<Placement> place(int labelIndex, const conLocn& label, QSizeF imageSize,
                                          const ChartSky& sky);
    // Whether switch `i` of the 90 figure switches is on; an entry the array
    // does not hold is off.
    static bool isSwitchOn(const QStringList& mythArray, int i);

    MythFigurePainter(PrefControl& prefs, const ChartImageSet& images) : m_prefs(prefs), m_images(images) {}

    void paint(ChartCanvas& canvas, const ChartSky& sky);
    void print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping);
    // Whether the last paint drew a figure unsmoothed because the sky moved.
    bool wasRough() const { return m_turned.wasRough(); }

private:
    // On screen when `paper` is null.
    void draw(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping* paper);

    PrefControl& m_prefs;
    const ChartImageSet& m_images;
    TurnedFigureCache m_turned;
};
