#pragma once

#include "chart/painting/BoundaryPainter.h"
#include "chart/painting/ChartOverlayPainter.h"
#include "chart/painting/ConstellationPainter.h"
#include "chart/painting/EquatorialGridPainter.h"
#include "chart/painting/FieldOutlinePainter.h"
#include "chart/painting/HorizonGridPainter.h"
#include "chart/painting/HorizonPainter.h"
#include "chart/painting/MeteorPainter.h"
#include "chart/painting/MilkyWayPainter.h"
#include "chart/painting/MythFigurePainter.h"
#include "chart/painting/SkyBackgroundPainter.h"
#include "chart/painting/StarLayerPainter.h"
#include "chart/painting/TelescopeReticlePainter.h"
#include "skydraw/DeepSkyPainter.h"
#include "skydraw/MovingSky.h"
#include "skydraw/PlanetPainter.h"
#include "skydraw/PlanetPathPainter.h"
#include "skydraw/SmallBodyPainter.h"
#include "skydraw/SubPixelSprites.h"

#include <QRectF>

#include <chrono>

class ChartCanvas;
class ChartImageSet;
class DeepSkyPhotos;
class DomeSlit;
class MeteorShowerTimer;
class PhotoHorizonSource;
class PrefControl;
class TelescopeAim;
struct ChartOverlayState;
struct ChartSky;
struct PrintMapping;

// The sky chart's layers in their fixed order, on screen over the sky
// background and on paper in the printed chart's order. Each layer draws
// only what its settings switch on.
class ChartFrame {
public:
    // What the layers over the sky read beside the sky itself. Each may stay
    // unset: its layer then draws what it can without it (no streaks, no
    // reticle, no slit, no photograph; overlays as for a new view).
    struct Links {
        ChartOverlayState* overlays = nullptr;
        MeteorShowerTimer* meteorTimer = nullptr;
        TelescopeAim* telescope = nullptr;
        const DomeSlit* dome = nullptr;
        PhotoHorizonSource* photoHorizon = nullptr;
    };
    // The print view's symbols.
    struct PrintSymbols {
        DeepSkyPainter::PrintSymbols deepSky;
        SmallBodyPainter::PrintSymbols smallBodies;
    };

    ChartFrame(PrefControl& prefs, const ChartImageSet& images, DeepSkyPhotos& photos);

    void setLinks(const Links& links);

    // The whole chart into `rect` (chart points, y upward), which has been
    // filled black; `markAlpha` is the find mark's opacity.
    void paint(ChartCanvas& canvas, const ChartSky& sky, const QRectF& rect, float markAlpha);
    // Whether the last paint drew a quicker frame while the sky moved
    // (markers left out, figures unsmoothed, wide lines not anti-aliased);
    // painting the settled sky again draws it whole.
    bool isRoughWhileMoving() const
    {
        return m_smallBodies.hasLeftOut() || m_figures.wasRough() || m_wereLinesQuick;
    }
    // For tests: how recent a paint must be for the sky to count as moving.
    void setMovingPaints(std::chrono::milliseconds interval) { m_movingSky.setMovingPaints(interval); }
    // The layers of the printed chart, mapped onto the page, with the print
    // view's symbols.
    void print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping,
               const PrintSymbols& printSymbols);

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
    PlanetPathPainter m_path;
    SmallBodyPainter m_smallBodies;
    PlanetPainter m_planets;
    MeteorPainter m_meteors;
    FieldOutlinePainter m_outlines;
    TelescopeReticlePainter m_reticle;
    HorizonPainter m_horizon;
    ChartOverlayPainter m_overlays;
    Links m_links;
    MovingSkyWatch m_movingSky;
    bool m_wereLinesQuick = false;
};
