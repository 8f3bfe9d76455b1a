#include "scopeview/SVView.h"

#include "scopeview/SVSurveyControl.h"

#include "scopeview/HT2StarLayer.h"
#include "scopeview/SVConeSearch.h"
#include "scopeview/SVConeSearchLayer.h"
#include "scopeview/SVDrawPass.h"
#include "scopeview/SVDrawer.h"
#include "scopeview/SVFrameLayers.h"
#include "scopeview/SVHitTest.h"
#include "scopeview/SVLayerContext.h"
#include "scopeview/SVOptics.h"
#include "scopeview/SVOrientation.h"
#include "scopeview/SVSkyObjectLayers.h"
#include "scopeview/SVSolarSystemLayers.h"
#include "scopeview/SVSurveyControl.h"

#include "model/Angles.h"
#include "model/ObjectIndex.h"
#include "model/SkyDateModel.h"
#include "model/StarDatabaseModel.h"
#include "model/projection/PrecessionMatrix.h"
#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"
#include "skydraw/ChartCursors.h"
#include "skydraw/ChartSky.h"
#include "skydraw/ChartSkySource.h"

#include <QContextMenuEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QNativeGestureEvent>
#include <QPainter>

#include <new>

namespace {

constexpr int kAngleLabelSize = 14;
constexpr int kCursorInset = 12;
// The deep stars are read over the field's half width and 10 % more.
constexpr double kHT2FieldMargin = 1.1;

}  // namespace

SVView::SVView(PrefControl& prefs, const SkyDateModel& skyDate, const StarDatabaseModel& model,
               QWidget* parent)
    : QWidget(parent), m_prefs(prefs), m_skyDate(skyDate), m_model(model),
      m_ht2Index(prefs.HT2FilesArray())
{
    setFocusPolicy(Qt::NoFocus);
    setMouseTracking(true);
}

bool SVView::awakeFromNib(const QString& resourcesFolder)
{
    try {
        m_ht2Stars.reserve(kHT2StarCapacity);
    } catch (const std::bad_alloc&) {
        AlertPanel::runAlert("Startup Error", "Can not allocate HT2 memory.");
        return false;
    }
    m_lights = SVStatusLights::load(resourcesFolder);
    m_angleLabelAttributes = {QFont("Geneva", kAngleLabelSize), Qt::white};
    m_svLabels.reserve(SVDrawPass::kMaxLabels);
    return true;
}

void SVView::setTrackRA(double ra, double dec)
{
    m_state.setTrackRA(ra, dec);
    if (m_drawer)
        m_drawer->applyButtonRules();
}

void SVView::setDeltaRA(double dRA, double dDec)
{
    m_state.addDeltas(dRA, dDec);
    update();
}

void SVView::calculateSVAngles()
{
    m_angles = SVAngles::calculate(m_optics ? m_optics->fov() : SVOptics::kStartFov, width());
}

void SVView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRectF bounds = rect();
    if (bounds.width() < kMinDrawWidth)
        return;
    SVDrawPass::fillBackground(painter, bounds);
    m_svRect = bounds;
    if (!m_state.isTracking()) {
        SVDrawPass::drawEmptyField(painter, bounds);
        updateBottomPanel();
        return;
    }

    calculateSVAngles();
    // The rotation follows the centre the user sees, without a mount's sync offsets.
    const SVOrientation orientation =
        SVOrientation::of(m_prefs, m_skyDate.primeMeridian(), m_state.trackRA() + m_state.deltaRA(),
                          m_state.trackDec() + m_state.deltaDec());
    m_qP = orientation.qP;
    SVDrawPass pass(painter, bounds, m_angles, orientation, m_svLabels, m_prefs,
                    m_angleLabelAttributes);
    m_tran = pass.tran();
    pass.begin();
    const SVViewState::Centre centre =
        m_state.fieldCentre(m_mount, m_prefs.isDebug() ? m_debug : nullptr);
    m_projection.emplace(m_angles, centre.ra, centre.dec, m_model.precessionMatrix());
    drawLayers(pass);
    pass.finish();
    updateBottomPanel();
}

void SVView::drawLayers(SVDrawPass& pass)
{
    const ChartSky sky = m_skySource ? m_skySource->chartSky() : ChartSky{};
    const SVLayerContext c{pass,    pass.canvas(), *m_projection, m_angles, sky, m_prefs,
                           m_images, m_prefs.isNightVision(), m_prefs.findIndex()};
    const double T = PrecessionMatrix::julianCenturies(m_skyDate.julianDay());
    const bool hasNomad = m_nomad && m_nomad->hasNomadData();
    SVConeSearchLayer::Options nomad;
    if (m_drawer)
        nomad = {m_drawer->isNomadStar(), m_drawer->isNomadShowMag(), m_drawer->isNomadGrid()};

    m_ht2Stars.clear();
    if (m_state.isDSSImage() && m_survey)
        pass.drawSurveyImage(m_survey->dssImage());
    // A survey image stands in for the catalogues' own objects.
    if (!m_state.isDSSImage()) {
        if (m_photos)
            SVSkyObjectLayers::drawDeepSky(c, *m_photos, m_model.photoDirectory());
        if (!(hasNomad && nomad.isNomadStar))
            drawDeepStars(c);
        SVSkyObjectLayers::drawStars(c, T);
    }
    if (hasNomad) {
        SVConeSearchLayer::drawStars(c, m_nomad->nomadStars(), nomad);
        if (nomad.isNomadGrid)
            SVConeSearchLayer::drawGrid(c, m_angles.svAngle * 2.0 * Angles::kRadToDeg,
                                        m_state.trackRAPlus(), m_state.trackDecPlus());
    }
    SVSkyObjectLayers::drawLookupStar(c, T);
    SVSolarSystemLayers::drawPath(c);
    SVSolarSystemLayers::drawComets(c);
    SVSolarSystemLayers::drawMinorPlanets(c);
    m_discs.isMoon = false;
    SVDiscPainter discs(c, {m_discSource, &m_jupiterFrames, m_model.photoDirectory()}, m_discs);
    SVSolarSystemLayers::drawPlanets(c, &discs);
    SVFrameLayers::drawAngleSeparation(c, m_state);
    if (SVFrameLayers::drawCameraFrame(c, m_state, m_svRect) && m_cameraFrameDrawn)
        m_cameraFrameDrawn();
}

void SVView::drawDeepStars(const SVLayerContext& c)
{
    if (!hasHT2Block())
        return;
    HT2StarLayer::Settings settings;
    settings.faintLimit = m_prefs.svStarMagLimit();
    settings.starBrightVal = m_prefs.starBrightVal();
    settings.starShiftVal = m_prefs.starShiftVal();
    settings.isStarAntiAlias = m_prefs.isStarAntiAlias();
    settings.isNightVision = c.isNightVision;
    settings.findIndex = c.findIndex;
    settings.hasChanged = m_state.hasChanged();
    HT2StarLayer layer(m_ht2Index, *m_projection, c.canvas, m_images, settings, m_ht2Stars);
    layer.draw(m_angles.svAngle * kHT2FieldMargin * Angles::kRadToDeg);
    layer.drawPoleCross();
}

void SVView::contextMenuEvent(QContextMenuEvent* event)
{
    if (m_clickMenu)
        m_clickMenu->popup(event->globalPos());
}

QPointF SVView::toViewPoint(QPointF widgetPoint) const
{
    const QPointF upward(widgetPoint.x(), height() - widgetPoint.y());
    return m_tran.inverted().map(upward);
}

void SVView::findSVObject(QPointF p, bool track)
{
    m_prefs.setFindIndex(kNoObjectIndex);
    if (!m_projection)
        return;
    const ChartSky sky = m_skySource ? m_skySource->chartSky() : ChartSky{};
    const bool hasNomad = m_nomad && m_nomad->hasNomadData();
    const SVHitTest::Hit hit = SVHitTest::find(
        {p, double(width()), *m_projection, sky, PrecessionMatrix::julianCenturies(m_skyDate.julianDay()), m_discs,
         m_ht2Stars, hasNomad ? std::span<const nomadData>(m_nomad->nomadStars()) : std::span<const nomadData>(),
         hasNomad && m_drawer && m_drawer->isNomadStar()});
    if (hit.findIndex == kNoObjectIndex)
        return;
    m_prefs.setFindIndex(hit.findIndex);
    if (hit.name)
        m_prefs.setFindName(*hit.name);
    if (hit.findPoint)
        m_prefs.setFindPoint(*hit.findPoint);
    if (track && hit.centre)
        m_state.setTrackRA(hit.centre->first, hit.centre->second);
}

void SVView::resetCursorRects()
{
    const bool isRed = m_prefs.isNightVision() || m_prefs.isRedCursor();
    const QPoint at = mapFromGlobal(QCursor::pos());
    if (!m_cursors || !rect().adjusted(kCursorInset, kCursorInset, -kCursorInset, -kCursorInset).contains(at))
        unsetCursor();
    else
        setCursor(isRed ? m_cursors->nvTargetCursor : m_cursors->targetCursor);
}

void SVView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pointer.press(event, false);
}

void SVView::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pointer.press(event, true);
}

void SVView::mouseMoveEvent(QMouseEvent* event)
{
    if (event->buttons().testFlag(Qt::LeftButton))
        m_pointer.move(event);
    else
        resetCursorRects();
}

void SVView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton)
        m_pointer.release();
}

void SVView::wheelEvent(QWheelEvent* event)
{
    m_pointer.wheel(event);
    event->accept();
}

bool SVView::event(QEvent* event)
{
    if (event->type() == QEvent::NativeGesture) {
        const auto* gesture = static_cast<QNativeGestureEvent*>(event);
        if (gesture->gestureType() == Qt::ZoomNativeGesture) {
            m_pointer.magnify(gesture->value());
            return true;
        }
    }
    return QWidget::event(event);
}
