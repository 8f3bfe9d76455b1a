#include "chart/controls/SkyMouse.h"

#include "chart/ChartOutlets.h"
#include "chart/Finder.h"
#include "chart/ObjectCentering.h"
#include "chart/PlanetPathSource.h"
#include "chart/PlannerLink.h"
#include "chart/PrefWindowSetup.h"
#include "chart/TimePanel.h"
#include "chart/UpdateChain.h"
#include "chart/controls/ClickModes.h"
#include "chart/controls/PanStep.h"
#include "chart/controls/PointerZoom.h"
#include "chart/controls/SkyTimeControl.h"
#include "chart/controls/ViewLimits.h"
#include "chart/painting/ChartOverlayState.h"
#include "model/ObjectIndex.h"
#include "model/StarDatabaseModel.h"
#include "model/settings/PrefControl.h"
#include "platform/AlertPanel.h"
#include "platform/CapsLockState.h"
#include "platform/widgets/FloatingPanel.h"
#include "platform/widgets/WheelIntent.h"
#include "scopeview/ScopeViewWindow.h"
#include "skydraw/ChartCursors.h"
#include "skydraw/ChartDisplay.h"

#include <QGuiApplication>
#include <QNativeGestureEvent>
#include <QWidget>

#include <algorithm>
#include <cmath>

namespace {

// 1.5 degrees in radians: the panning wheel's step per degree of field.
constexpr double kWheelFactor = 0.02617993877991495;
// The field's change per notch of the zooming wheel: eight notches make
// about 2.5 times.
constexpr double kWheelZoomPerNotch = 1.12;
// 160 degrees in radians: the pinch's zoom per degree of field.
constexpr double kPinchFactor = 2.7925268031909276;
// Seconds the zooming wheel moves the time per notch at full speed.
constexpr double kWheelTimeStep = -60.0;
// Degrees a swipe turns the view.
constexpr double kSwipeAltitude = 45.0;
constexpr double kSwipeAzimuth = 90.0;
// The preferences window's "Filters" tab.
constexpr int kFiltersTab = 1;
constexpr const char* kNoPreferencesWindow = "This version has no preferences window to show the filters in.";

FloatPoint floatPoint(QPointF p) { return {float(p.x()), float(p.y())}; }

}  // namespace

SkyMouse::SkyMouse(PrefControl& prefs, StarDatabaseModel& model, SkyTimeControl& time,
                   const ChartOutlets& outlets, UpdateChain& chain, ViewParts view, const CapsLockState* capsLock)
    : m_prefs(prefs),
      m_model(model),
      m_time(time),
      m_outlets(outlets),
      m_chain(chain),
      m_view(view),
      m_capsLock(capsLock)
{
}

QPointF SkyMouse::chartPoint(QPointF position) const { return {position.x(), m_view.widget.height() - position.y()}; }

void SkyMouse::mouseDown(QPointF position, Qt::KeyboardModifiers modifiers, int clickCount)
{
    if (m_outlets.findPanel && m_outlets.findPanel->isPanelVisible())
        m_outlets.findPanel->setTransparency();
    m_startDragMouseLoc = chartPoint(position);

    const bool command = modifiers & Qt::ControlModifier;
    const bool option = modifiers & Qt::AltModifier;
    const bool shift = modifiers & Qt::ShiftModifier;
    PressModes& m = m_modes;
    m.track = command || m_view.modes.isTrack;
    m.separation = (option && !m.track) || m_view.modes.isAngleSep;
    m.copy = (shift && !m.track) || m_view.modes.isCopy;
    m.centre = (m.track && shift) || m_view.modes.isCenter;
    m.planner = m_prefs.isAstroplanner() && m_capsLock && m_capsLock->isOn();

    ChartOverlayState& overlay = m_view.overlay;
    if (m.copy) {
        overlay.dragRect.setSize(QSizeF(0.0, 0.0));
        m_isDragStart = true;
        m_view.widget.setCursor(Qt::PointingHandCursor);
    } else if (m.separation) {
        overlay.startPt = m_startDragMouseLoc;
        overlay.currentPt = m_startDragMouseLoc;
        m_isDragStart = true;
        m_view.widget.setCursor(m_view.cursors.angleSepCursor);
        calculateAngularSeparation(true);
    } else if (m_isDragStart) {
        // This press only takes the marquee or ruler away.
        m_isDragStart = false;
        overlay.dragRect.setSize(QSizeF(0.0, 0.0));
        overlay.startPt = QPointF();
        m_view.display.display();
    } else {
        select(m, clickCount);
    }
    m_isFollowing = clickCount < 2;
}

void SkyMouse::select(const PressModes& modes, int clickCount)
{
    if (m_outlets.findObjects)
        m_outlets.findObjects->findObject(m_startDragMouseLoc);
    const bool selected = m_prefs.findIndex() != kNoObjectIndex;
    if (modes.track && !modes.centre) {
        if (selected)
            selectTracking(modes.planner);
        return;
    }
    if (m_prefs.isPath() && m_outlets.planetPath)
        m_outlets.planetPath->calculatePlanetPath();
    ChartOverlayState& overlay = m_view.overlay;
    if (modes.centre) {
        if (m_outlets.centering)
            m_outlets.centering->centerObject();
        m_chain.updateView();
        m_view.modes.isCenter = false;
    } else if (m_view.overlay.outlines != 0) {
        if (overlay.outlineRect.contains(m_startDragMouseLoc)) {
            m_view.widget.setCursor(Qt::OpenHandCursor);
            overlay.isDragOutline = true;
        } else {
            m_view.overlay.outlines = 0;
        }
    } else {
        overlay.outlineDelta = QPointF();
        overlay.isDragOutline = false;
        if (clickCount == 2 && selected) {
            if (m_outlets.prefWindow)
                m_outlets.prefWindow->showTab(kFiltersTab);
            else
                AlertPanel::runAlert(QString::fromLatin1(kNoPreferencesWindow), QStringLiteral(" "));
        } else if (m_prefs.isCreateTour() && selected && m_outlets.findObjects) {
            m_outlets.findObjects->addTourObject();
        }
    }
    if (!modes.centre)
        m_view.display.display();
    if (m_outlets.findObjects)
        m_outlets.findObjects->updatePanelInfo(modes.planner);
    if (modes.planner && m_outlets.appDelegate)
        m_outlets.appDelegate->sendAPClick(false);
    if (m_outlets.svWindow) {
        m_outlets.svWindow->setHasChanged(true);
        if (m_outlets.svWindow->isWindowVisible())
            m_outlets.svWindow->display();
    }
}

void SkyMouse::selectTracking(bool planner)
{
    if (m_prefs.isPath() && m_outlets.planetPath)
        m_outlets.planetPath->calculatePlanetPath();
    if (m_outlets.findObjects)
        m_outlets.findObjects->findTrackAction();
    m_view.display.display();
    if (m_outlets.findObjects)
        m_outlets.findObjects->updatePanelInfo(planner);
    if (planner && m_outlets.appDelegate)
        m_outlets.appDelegate->sendAPClick(true);
}

void SkyMouse::mouseDragged(QPointF position)
{
    if (!m_isFollowing)
        return;
    const QPointF point = chartPoint(position);
    ChartOverlayState& overlay = m_view.overlay;
    if (m_modes.copy && m_isDragStart) {
        overlay.dragRect = QRectF(std::min(point.x(), m_startDragMouseLoc.x()),
                                  std::min(point.y(), m_startDragMouseLoc.y()),
                                  std::abs(point.x() - m_startDragMouseLoc.x()),
                                  std::abs(point.y() - m_startDragMouseLoc.y()));
        m_view.display.display();
    } else if (m_modes.separation && m_isDragStart) {
        overlay.currentPt = point;
        m_view.display.display();
    } else if (m_view.overlay.outlines != 0 && overlay.isDragOutline) {
        m_view.widget.setCursor(Qt::ClosedHandCursor);
        overlay.outlineDelta += point - m_startDragMouseLoc;
        m_startDragMouseLoc = point;
        m_view.display.display();
    } else {
        m_view.widget.setCursor(Qt::ClosedHandCursor);
        pan(point);
    }
}

void SkyMouse::mouseUp()
{
    if (!m_isFollowing)
        return;
    m_isFollowing = false;
    m_view.modes.isHandMove = false;
    m_view.modes.isAngleSep = false;
    m_view.modes.isCopy = false;
    m_view.modes.isTrack = false;
    m_view.overlay.startPt = QPointF();
    showTargetCursor();
}

void SkyMouse::pan(QPointF point)
{
    const QPointF move(point.x() - m_startDragMouseLoc.x(), m_startDragMouseLoc.y() - point.y());
    m_startDragMouseLoc = point;
    m_model.calculateCursorPosition(floatPoint(point));
    const ViewDirection view =
        panStep({m_prefs.azimuth(), m_prefs.altitude()}, move, m_model.radius(), m_model.mouseAlt(), m_prefs.isBelow());
    setView(view.azimuth, view.altitude);
}

void SkyMouse::setView(double azimuth, double altitude)
{
    m_prefs.setAzimuth(azimuth);
    m_prefs.setAltitude(altitude);
    m_chain.updateView();
}

void SkyMouse::showTargetCursor()
{
    m_view.widget.setCursor(m_view.cursors.target(m_prefs.isNightVision() || m_prefs.isRedCursor()));
}

void SkyMouse::scrollWheel(const WheelIntent& wheel, QPointF position)
{
    const double s = m_prefs.arrowSpeed() / 100.0;
    if (wheel.kind == WheelIntent::Kind::Zoom) {
        const double field = m_prefs.viewAngle();
        // A turn away from the user zooms in, by the same factor each notch.
        const double newField = ViewLimits::field(field * std::pow(kWheelZoomPerNotch, -wheel.notches.y()));
        const ViewDirection view = zoomAboutPoint({m_prefs.azimuth(), m_prefs.altitude()}, chartPoint(position),
                                                  m_model.skyRect(), field, newField, m_prefs.isBelow());
        m_prefs.setViewAngle(newField);
        m_prefs.setAzimuth(view.azimuth);
        m_prefs.setAltitude(view.altitude);
        m_time.step(wheel.notches.x() * kWheelTimeStep * s);
        m_chain.updateView();
        return;
    }
    const double k = kWheelFactor * m_prefs.viewAngle() * s;
    const QPointF delta = wheel.scrolled();
    setView(ViewLimits::azimuth(m_prefs.azimuth() - k * delta.x()),
            ViewLimits::altitude(m_prefs.altitude() + k * delta.y(), m_prefs.isBelow()));
}

void SkyMouse::magnify(double magnification)
{
    const double s = m_prefs.arrowSpeed() / 100.0;
    const double field = m_prefs.viewAngle();
    m_prefs.setViewAngle(ViewLimits::field(field + s * (-kPinchFactor * field) * magnification));
    m_chain.updateView();
}

void SkyMouse::swipe(double deltaX, double deltaY)
{
    setView(ViewLimits::azimuth(m_prefs.azimuth() - kSwipeAzimuth * float(deltaX)),
            ViewLimits::altitude(m_prefs.altitude() + kSwipeAltitude * deltaY, m_prefs.isBelow()));
}

void SkyMouse::nativeGesture(const QNativeGestureEvent& event)
{
    if (event.gestureType() == Qt::ZoomNativeGesture) {
        magnify(event.value());
    } else if (event.gestureType() == Qt::SwipeNativeGesture) {
        // The swipe's direction comes as an angle: 0 right, 90 up.
        const double angle = event.value() * Angles::kDegToRad;
        swipe(std::round(std::cos(angle)), std::round(std::sin(angle)));
    }
}

float SkyMouse::calculateAngularSeparation(bool fromStart)
{
    const ChartOverlayState& overlay = m_view.overlay;
    if (fromStart) {
        m_model.calculateCursorPosition(floatPoint(overlay.startPt));
        m_startRA = m_model.mouseRA() * Angles::kDegToRad;
        m_startDec = m_model.mouseDec() * Angles::kDegToRad;
    }
    m_model.calculateCursorPosition(floatPoint(overlay.currentPt));
    const double ra = m_model.mouseRA() * Angles::kDegToRad;
    const double dec = m_model.mouseDec() * Angles::kDegToRad;
    const double c =
        std::cos(m_startDec) * std::cos(dec) * std::cos(m_startRA - ra) + std::sin(m_startDec) * std::sin(dec);
    return float(std::acos(std::clamp(c, -1.0, 1.0)) * Angles::kRadToDeg);
}
