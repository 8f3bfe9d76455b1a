#include "chart/painting/ChartFrame.h"

#include "chart/painting/ChartOverlayState.h"
#include "chart/painting/GridLayerStyle.h"
#include "chart/painting/MeteorShowerTimer.h"
#include "model/projection/ViewScale.h"
#include "model/settings/PrefControl.h"
#include "skydraw/ChartCanvas.h"
#include "skydraw/ChartSky.h"
#include "skydraw/PrintMapping.h"

namespace {

// A view angle of 0 stands for the default field.
double viewAngleOf(const PrefControl& prefs)
{
    return prefs.viewAngle() == 0.0 ? ViewScale::kDefaultViewAngle : prefs.viewAngle();
}

}  // namespace

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
      m_stars(prefs, images),
      m_path(prefs),
      m_smallBodies(prefs, images),
      m_planets(prefs, images),
      m_meteors(prefs),
      m_outlines(prefs, images),
      m_reticle(prefs),
      m_horizon(prefs),
      m_overlays(prefs)
{
}

void ChartFrame::setLinks(const Links& links)
{
    m_links = links;
    m_meteors.setShowerTimer(links.meteorTimer);
    m_reticle.setTelescope(links.telescope);
    m_reticle.setDome(links.dome);
    m_horizon.setPhotoHorizon(links.photoHorizon);
}

void ChartFrame::paint(ChartCanvas& canvas, const ChartSky& sky, const QRectF& rect, float markAlpha)
{
    const double viewAngle = viewAngleOf(m_prefs);
    canvas.useSprites(m_sprites);
    canvas.setAntialiasing(true);
    // While the sky moves the wide lines are drawn quicker, and the settled
    // sky is painted again.
    m_wereLinesQuick = m_movingSky.note(sky.view, sky.skyDate);
    canvas.setQuickLines(m_wereLinesQuick);
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

    m_path.paint(canvas, sky);
    m_smallBodies.paint(canvas, sky, markAlpha);
    m_planets.paint(canvas, sky, markAlpha);
    m_meteors.paint(canvas, sky);
    ChartOverlayState newView;
    ChartOverlayState& overlays = m_links.overlays ? *m_links.overlays : newView;
    m_outlines.paint(canvas, sky, rect, markAlpha, overlays);
    m_reticle.paint(canvas, sky);
    m_horizon.paint(canvas, sky, rect, viewAngle);
    m_overlays.paint(canvas, sky, rect, overlays);
    if (m_links.meteorTimer)
        m_links.meteorTimer->paint(canvas);
    canvas.setQuickLines(false);
}

void ChartFrame::print(ChartCanvas& canvas, const ChartSky& sky, const PrintMapping& mapping,
                       const PrintSymbols& printSymbols)
{
    const GridLayerStyle paper = GridLayerStyle::paper(mapping);
    m_figures.print(canvas, sky, mapping);
    m_deepSky.print(canvas, sky, mapping, printSymbols.deepSky);
    m_equatorialGrid.paint(canvas, sky, paper);
    m_horizonGrid.paint(canvas, sky, paper);
    m_stars.print(canvas, sky, mapping);
    m_constellations.print(canvas, sky, mapping);
    m_boundaries.print(canvas, sky, mapping);
    m_milkyWay.print(canvas, sky, mapping);
    m_smallBodies.print(canvas, sky, mapping, printSymbols.smallBodies);
    m_planets.print(canvas, sky, mapping);
    m_path.print(canvas, sky, mapping);
    m_horizon.print(canvas, sky, mapping, m_prefs.skyViewRect(), viewAngleOf(m_prefs));
}
