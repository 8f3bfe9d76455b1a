#include "chart/painting/ChartFrame.h"

#include "chart/painting/ChartCanvas.h"
#include "chart/painting/ChartSky.h"
#include "chart/painting/GridLayerStyle.h"
#include "chart/painting/PrintMapping.h"
#include "model/prefs/PrefControl.h"
#include "model/projection/ViewScale.h"

ChartFrame::ChartFrame(PrefControl& prefs, const ChartImageSet& images, DeepSkyPhotos& photos)
    : m_prefs(prefs),
      m_background(prefs),
      m_equatorialGrid(prefs),
      m_horizonGrid(prefs),
      m_boundaries(prefs),
      m_milkyWay(prefs),
      m_constellations(prefs),
      m_figures(prefs, images),
      m_deepSky(prefs, images, photos),
      m_stars(prefs, images)
{
}

void ChartFrame::paint(ChartCanvas& canvas, const ChartSky& sky, const QRectF& rect, float markAlpha)
{
    const double viewAngle = m_prefs.viewAngle() == 0.0 ? ViewScale::kDefaultViewAngle : m_prefs.viewAngle();
    canvas.useSprites(m_sprites);
    canvas.setAntialiasing(true);
    m_background.paint(canvas, sky, rect, viewAngle);

    const GridLayerStyle screen = GridLayerStyle::screen();
    m_equatorialGrid.paint(canvas, sky, screen);
    m_horizonGrid.paint(canvas, sky, screen);
    m_boundaries.paint(canvas, sky);
    m_milkyWay.paint(canvas, sky);

    m_constellations.paint(canvas, sky);
    m_figures.paint(canvas, sky);
    m_deepSky.paint(canvas, sky, markAlpha);
    m_stars.paint(canvas, sky, markAlpha);
}

void ChartFrame::print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping,
                       const DeepSkyPainter::PrintSymbols& printSymbols)
{
    const GridLayerStyle paper = GridLayerStyle::paper(mapping);
    m_figures.print(canvas, sky, mapping);
    m_deepSky.print(canvas, sky, mapping, printSymbols);
    m_equatorialGrid.paint(canvas, sky, paper);
    m_horizonGrid.paint(canvas, sky, paper);
    m_stars.print(canvas, sky, mapping);
    m_constellations.print(canvas, sky, mapping);
    m_boundaries.print(canvas, sky, mapping);
    m_milkyWay.print(canvas, sky, mapping);
}
