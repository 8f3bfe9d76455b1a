#include "scopeview/SVPointer.h"

#include "scopeview/SVConeSearch.h"
#include "scopeview/SVDrawer.h"
#include "scopeview/SVMountLink.h"
#include "scopeview/SVOptics.h"
#include "scopeview/SVOrientation.h"
#include "scopeview/SVView.h"

#include "model/Angles.h"
#include "model/ObjectIndex.h"
#include "model/settings/PrefControl.h"
#include "platform/widgets/WheelIntent.h"
#include "skydraw/ChartCursors.h"
#include "skydraw/ChartImageSet.h"

#include <QMouseEvent>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

// Degrees of separation per radian of the half angle: the stereographic
// distance d is k tan(s / 2), read back as asin(d / k) x 2.
constexpr double kSeparationDegrees = 114.5915590261646;
// A wheel unit pans 1.5° of a 100° field at the arrow speed 100.
constexpr double kWheelStep = 0.02617993877991495;
constexpr double kArrowSpeedScale = 100.0;
constexpr double kWheelZoomPerUnit = 0.5;
constexpr double kPinchZoom = 15.0;
constexpr double kZoomPerDoubling = 10.0;
constexpr int kMinutes = 60;

}  // namespace

double SVPointer::zoomedPower(double power, double steps)
{
    const double z = std::clamp(kZoomPerDoubling * std::log2(std::max(power, 1.0)) + steps, kMinZoom, kMaxZoom);
    return std::exp2(z / kZoomPerDoubling);
}

void SVPointer::press(QMouseEvent* event, bool isDoubleClick)
{
    const QPointF p = m_view.toViewPoint(event->position());
    const Qt::KeyboardModifiers keys = event->modifiers();
    SVViewState& state = m_view.state();
    const bool isTrack = keys.testFlag(Qt::ControlModifier) || state.isTrack();
    const bool isAngle = (keys.testFlag(Qt::AltModifier) && !isTrack) || state.isAngleSep();
    m_drag = Drag::None;
    if (isTrack) {
        trackClick(p);
    } else if (isAngle) {
        SVViewState::AngleSeparation separation;
        separation.start = p;
        separation.current = p;
        state.setAngleSeparation(separation);
        m_drag = Drag::Separation;
        if (m_view.m_cursors)
            m_view.setCursor(m_view.m_cursors->angleSepCursor);
    } else if (keys.testFlag(Qt::ShiftModifier)) {
        const QRectF& r = m_view.svRect();
        m_startAngle = std::atan2(p.y() - r.height() / 2.0, p.x() - r.width() / 2.0);
        m_drag = Drag::Rotation;
    } else if (!toggleMoonLabel(p)) {
        m_view.findSVObject(p, false);
        if (m_view.m_prefs.findIndex() != kNoObjectIndex) {
            m_view.callHook(m_view.m_hooks.updatePanelInfo);
            state.setHasChanged(false);
            m_view.update();
            if (m_view.m_prefs.isPath()) {
                m_view.callHook(m_view.m_hooks.calculatePlanetPath);
                m_view.callHook(m_view.m_hooks.chartNeedsDisplay);
            }
        }
    }
    if (isDoubleClick)
        m_drag = Drag::None;
}

void SVPointer::trackClick(QPointF p)
{
    m_view.findSVObject(p, true);
    PrefControl& prefs = m_view.m_prefs;
    const int found = prefs.findIndex();
    if (found == kNoObjectIndex)
        return;
    SVViewState& state = m_view.state();
    if (QWidget* window = m_view.window(); window && window != &m_view)
        window->setWindowTitle(prefs.findName());
    state.setTrackIndex(found);
    state.resetDeltas();
    if (m_view.m_nomad)
        m_view.m_nomad->setNomadHasData(false);
    if (m_view.m_mount && m_view.m_mount->isConnected())
        m_view.m_mount->gotoRA(state.trackRA(), state.trackDec());
    if (prefs.isPath())
        m_view.callHook(m_view.m_hooks.calculatePlanetPath);
    m_view.repaint();
    // The deep and cone-search stars are numbered by the pass that drew them.
    const ObjectBand band = splitObjectIndex(found).band;
    if (band == ObjectBand::HT2Star || band == ObjectBand::NomadStar)
        prefs.setFindIndex(kNoObjectIndex);
    m_view.callHook(m_view.m_hooks.updatePanelInfo);
    m_view.callHook(m_view.m_hooks.chartNeedsDisplay);
}

bool SVPointer::toggleMoonLabel(QPointF p)
{
    const SVDiscState& discs = m_view.discState();
    const double h = discs.halfMoonSize;
    if (!discs.isMoon || !(h > 0.001)
        || std::hypot((p.x() - discs.moonPt.x()) / h, (discs.moonPt.y() - p.y()) / h) >= 1.0)
        return false;
    // A mirror would show the labels reversed, and without the label image the layer draws nothing.
    const SVOrientation flips = SVOrientation::flipsOf(m_view.m_prefs);
    const bool hasLabels = m_view.m_images && !m_view.m_images->symbol(ChartImageSet::Symbol::MoonLabel).isNull();
    if (hasLabels && flips.ewSign > 0.0 && flips.nsSign > 0.0) {
        m_view.discState().isMoonLabel = !discs.isMoonLabel;
        m_view.update();
    }
    return true;
}

void SVPointer::move(QMouseEvent* event)
{
    if (m_drag == Drag::None)
        return;
    const QPointF q = m_view.toViewPoint(event->position());
    SVViewState& state = m_view.state();
    if (m_drag == Drag::Separation) {
        SVViewState::AngleSeparation separation = state.angleSeparation();
        separation.current = q;
        const double d = std::hypot(separation.start.x() - q.x(), separation.start.y() - q.y());
        const double s = std::asin(std::min(1.0, d / m_view.angles().svRadius)) * kSeparationDegrees;
        separation.degSep = int(s);
        const double minutes = (s - separation.degSep) * kMinutes;
        separation.minSep = int(minutes);
        separation.secSep = (minutes - separation.minSep) * kMinutes;
        state.setAngleSeparation(separation);
        state.setIsAngleSep(true);
    } else {
        const QRectF& r = m_view.svRect();
        const double angle = std::atan2(q.y() - r.height() / 2.0, q.x() - r.width() / 2.0);
        state.setSbigGuideAngle(float((angle - m_startAngle) * Angles::kRadToDeg + state.oldSBIGAngle()));
    }
    m_view.update();
}

void SVPointer::release()
{
    SVViewState& state = m_view.state();
    state.setIsAngleSep(false);
    state.setIsTrack(false);
    m_drag = Drag::None;
    SVViewState::AngleSeparation separation = state.angleSeparation();
    separation.start = QPointF(0.0, 0.0);
    state.setAngleSeparation(separation);
    state.setOldSBIGAngle(state.sbigGuideAngle());
    m_view.resetCursorRects();
}

void SVPointer::setPower(double power)
{
    if (m_view.m_drawer)
        m_view.m_drawer->setSVPower(float(power));
    m_view.calculateSVAngles();
}

void SVPointer::wheel(QWheelEvent* event)
{
    const PrefControl& prefs = m_view.m_prefs;
    const WheelIntent wheel = WheelIntent::read(*event);
    const bool isZoom = wheel.kind == WheelIntent::Kind::Zoom;
    if (isZoom && prefs.currentEyepiece() == SVOptics::kCameraSlot)
        return;
    const QPointF units = wheel.notches;
    const double power = m_view.m_drawer ? m_view.m_drawer->power() : SVOptics::kStartPower;
    SVViewState& state = m_view.state();
    if (isZoom) {
        const double radius = m_view.angles().svRadius;
        setPower(zoomedPower(power, units.y() * kWheelZoomPerUnit));
        keepUnderPointer(m_view.toViewPoint(event->position()), radius);
    } else {
        const double step = prefs.arrowSpeed() / kArrowSpeedScale * m_view.angles().svAngle * kWheelStep;
        const SVOrientation flips = SVOrientation::flipsOf(prefs);
        state.addDeltas(units.x() * step * flips.ewSign, units.y() * step * flips.nsSign);
    }
    state.setIsDSSImage(false);
    state.setHasChanged(true);
    if (m_view.m_nomad)
        m_view.m_nomad->setNomadHasData(false);
    m_view.update();
    m_view.updateBottomPanel();
    m_view.callHook(m_view.m_hooks.chartNeedsDisplay);
}

SVViewState::Centre SVPointer::movedCentre(SVViewState::Centre centre, QPointF offset, double radiusBefore,
                                           double radiusAfter)
{
    const double r = std::hypot(offset.x(), offset.y());
    if (!(r > 0.0) || !(radiusBefore > 0.0) || !(radiusAfter > 0.0))
        return centre;
    // A point r from the centre lies 2 atan(r / radius) away on the sky; the
    // centre moves along the great circle toward it by what that distance
    // loses, so the point keeps its place. East is to the left, north up.
    const double distance = 2.0 * (std::atan(r / radiusBefore) - std::atan(r / radiusAfter));
    const double positionAngle = std::atan2(-offset.x(), offset.y());
    const double sinDec = std::sin(centre.dec) * std::cos(distance)
                          + std::cos(centre.dec) * std::sin(distance) * std::cos(positionAngle);
    const double dec = std::asin(std::clamp(sinDec, -1.0, 1.0));
    const double dRA = std::atan2(std::sin(positionAngle) * std::sin(distance) * std::cos(centre.dec),
                                  std::cos(distance) - std::sin(centre.dec) * sinDec);
    return {centre.ra + dRA, dec};
}

void SVPointer::keepUnderPointer(QPointF viewPoint, double radiusBefore)
{
    const std::optional<SVProjection>& projection = m_view.projection();
    SVViewState& state = m_view.state();
    if (!projection || !state.isTracking())
        return;
    const SVAngles& angles = m_view.angles();
    const SVViewState::Centre centre{projection->ra0(), projection->dec0()};
    const SVViewState::Centre moved =
        movedCentre(centre, viewPoint - QPointF(angles.svOffset, angles.svOffset), radiusBefore, angles.svRadius);
    state.addDeltas(moved.ra - centre.ra, moved.dec - centre.dec);
}

void SVPointer::magnify(double magnification)
{
    const double power = m_view.m_drawer ? m_view.m_drawer->power() : SVOptics::kStartPower;
    setPower(zoomedPower(power, magnification * kPinchZoom));
}
