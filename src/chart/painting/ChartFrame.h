#pragma once

#include "chart/painting/BoundaryPainter.h"
#include "chart/painting/ConstellationPainter.h"
#include "chart/painting/DeepSkyPainter.h"
#include "chart/painting/EquatorialGridPainter.h"
#include "chart/painting/HorizonGridPainter.h"
#include "chart/painting/MilkyWayPainter.h"
#include "chart/painting/MythFigurePainter.h"
#include "chart/painting/SkyBackgroundPainter.h"
#include "chart/painting/StarLayerPainter.h"
#include "chart/painting/SubPixelSprites.h"

#include <QRectF>

class ChartCanvas;
class ChartImageSet;
class DeepSkyPhotos;
class PrefControl;
struct ChartSky;
struct PrintMapping;

// The sky chart's layers in their fixed order, on screen over the sky
// background and on paper in the printed chart's order. Each layer draws
// only what its settings switch on.
class ChartFrame {
public:
    ChartFrame(PrefControl& prefs, const ChartImageSet& images, DeepSkyPhotos& photos);

    // The whole chart into `rect` (chart points, y upward), which has been
    // filled black; `markAlpha` is the find mark's opacity.
    void paint(ChartCanvas& canvas, const ChartSky& sky, const QRectF& rect, float markAlpha);
    // The layers of the printed chart, mapped onto the page, with the print
    // view's deep-sky symbols.
    void print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping,
               const DeepSkyPainter::PrintSymbols& printSymbols);

private:
    PrefControl& m_prefs;
    SubPixelSprites m_sprites;
    SkyBackgroundPainter m_background;
    EquatorialGridPainter m_equatorialGrid;
    HorizonGridPainter m_horizonGrid;
    BoundaryPainter m_boundaries;
    MilkyWayPainter m_milkyWay;
    ConstellationPainter m_constellations;
    MythFigurePainter m_figures;
    DeepSkyPainter m_deepSky;
    StarLayerPainter m_stars;
};
