#include "chart/controls/SkyKeyboard.h"

#include "chart/ChartImages.h"
#include "chart/ChartMenus.h"
#include "chart/ChartOutlets.h"
#include "chart/Finder.h"
#include "chart/ObjectCentering.h"
#include "chart/PlanetPathSource.h"
#include "chart/UpdateChain.h"
#include "chart/controls/SkyTimeControl.h"
#include "chart/controls/ViewLimits.h"
#include "model/settings/PrefControl.h"
#include "mount/MountState.h"
#include "platform/ModifierKey.h"
#include "platform/widgets/FloatingPanel.h"
#include "scopeview/ScopeViewWindow.h"

#include <QKeyEvent>
#include <QWidget>

namespace {

// 5.7 degrees in radians: the arrow keys' pan step per degree of field.
constexpr double kPanStepFactor = 0.09948376736367681;
constexpr double kZoomStep = 5.0;
constexpr double kTimeKeyStep = 60.0;
const QString kTitle = QStringLiteral("Norvane Pro");
const QString kDebugTitle = QStringLiteral("Norvane Pro - Debug Mode");

// The menu tags the shortcut positions 1, 2 and 13 send.
constexpr int kSetupHomeSiteTag = 1;
constexpr int kSetupRealTimeTag = 10;
constexpr int kViewNightVisionTag = 15;

// Positions 3 to 12: a fixed azimuth, altitude or field.
enum class ViewSetting { Azimuth, Altitude, Field };
struct FixedView {
    ViewSetting setting;
    double degrees;
};
constexpr int kFirstFixedView = 3;
constexpr FixedView kFixedViews[] = {
    {ViewSetting::Azimuth, 0.0},   {ViewSetting::Azimuth, 180.0}, {ViewSetting::Azimuth, 90.0},
    {ViewSetting::Azimuth, 270.0}, {ViewSetting::Altitude, 45.0}, {ViewSetting::Field, 30.0},
    {ViewSetting::Field, 60.0},    {ViewSetting::Field, 90.0},    {ViewSetting::Field, 120.0},
    {ViewSetting::Field, 180.0},
};

// Positions 15 to 33: layer switches; `force` when the layer needs the
// time-dependent places recomputed.
struct LayerToggle {
    void (PrefSwitches::*toggle)();
    bool force;
};
constexpr int kFirstLayerToggle = 15;
constexpr LayerToggle kLayerToggles[] = {
    {&PrefSwitches::setIsConstellations, false}, {&PrefSwitches::setIsBoundaries, true},
    {&PrefSwitches::setIsMyth, true},            {&PrefSwitches::setIsRA_Dec, false},
    {&PrefSwitches::setIsAlt_Az, false},         {&PrefSwitches::setIsEcliptic, false},
    {&PrefSwitches::setIsEquator, false},        {&PrefSwitches::setIsMeridian, false},
    {&PrefSwitches::setIsOutlines, false},       {&PrefSwitches::setIsPlanetNames, false},
    {&PrefSwitches::setIsStarNames, false},      {&PrefSwitches::setIsDeepSkyNames, false},
    {&PrefSwitches::setIsCometNames, false},     {&PrefSwitches::setIsMilkyWay, true},
    {&PrefSwitches::setIsPath, false},           {&PrefSwitches::setIsPhoto, false},
    {&PrefSwitches::setIsBelow, false},          {&PrefSwitches::setIsMist, false},
    {&PrefSwitches::setIsMeteor, true},
};
constexpr int kMythToggle = 17;
constexpr int kOutlinesToggle = 23;
constexpr int kPathToggle = 29;

// Positions 34 to 41: time steps; 86160 s is the sidereal day as the
// program has always taken it (23 h 56 min).
constexpr int kFirstTimeStep = 34;
constexpr double kTimeSteps[] = {60.0, -60.0, 3600.0, -3600.0, 86400.0, -86400.0, 86160.0, -86160.0};

constexpr int kFindPanelPosition = 0;
constexpr int kNightVisionPosition = 13;
constexpr int kCentrePosition = 14;

static_assert(kFirstFixedView + int(std::size(kFixedViews)) == kNightVisionPosition);
static_assert(kFirstLayerToggle + int(std::size(kLayerToggles)) == kFirstTimeStep);
static_assert(kFirstTimeStep + int(std::size(kTimeSteps)) == SkyKeyboard::kShortcutCount);

}  // namespace

SkyKeyboard::SkyKeyboard(PrefControl& prefs, SkyTimeControl& time, const ChartOutlets& outlets,
                         UpdateChain& chain, QWidget& window)
    : m_prefs(prefs), m_time(time), m_outlets(outlets), m_chain(chain), m_window(window)
{
}

void SkyKeyboard::keyDown(const QKeyEvent& event)
{
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    const int key = event.key();
    if (isModifierKey(key))
        return;
    if (key == Qt::Key_F12) {
        if ((modifiers & Qt::AltModifier) && (modifiers & Qt::ShiftModifier))
            toggleDebug();
        return;
    }
    const QString text = event.text();
    const QChar c = text.isEmpty() ? QChar() : text.front();
    bool redraw = true;
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Right:
        arrowKey(key, modifiers & Qt::AltModifier);
        break;
    case Qt::Key_Space:
        stopSlew();
        break;
    case Qt::Key_Escape:
        if (m_outlets.findObjects)
            m_outlets.findObjects->escapePanel();
        break;
    default:
        if (c == '+' || c == '=')
            zoom(-kZoomStep);
        else if (c == '-')
            zoom(kZoomStep);
        else if (!c.isNull())
            redraw = shortcut(int(m_prefs.shortcutPrefStr().left(kShortcutCount).indexOf(c)));
    }
    if (redraw)
        m_chain.redraw();
}

void SkyKeyboard::runShortcut(int position)
{
    if (shortcut(position))
        m_chain.redraw();
}

void SkyKeyboard::arrowKey(int key, bool option)
{
    const double s = m_prefs.arrowSpeed() / 100.0;
    const double step = kPanStepFactor * m_prefs.viewAngle() * s;
    switch (key) {
    case Qt::Key_Up:
        if (option)
            zoom(-kZoomStep);
        else
            m_prefs.setAltitude(ViewLimits::altitude(m_prefs.altitude() + step, true));
        break;
    case Qt::Key_Down:
        if (option)
            zoom(kZoomStep);
        else
            m_prefs.setAltitude(ViewLimits::altitude(m_prefs.altitude() - step, m_prefs.isBelow()));
        break;
    case Qt::Key_Left:
        if (option)
            m_time.step(-kTimeKeyStep * s);
        else
            m_prefs.setAzimuth(ViewLimits::azimuth(m_prefs.azimuth() - step));
        break;
    default:
        if (option)
            m_time.step(kTimeKeyStep * s);
        else
            m_prefs.setAzimuth(ViewLimits::azimuth(m_prefs.azimuth() + step));
    }
}

void SkyKeyboard::stopSlew()
{
    if (m_outlets.scopeControl && m_outlets.scopeControl->isSlewing())
        m_outlets.scopeControl->stopSlewing();
}

void SkyKeyboard::zoom(double change)
{
    const double s = m_prefs.arrowSpeed() / 100.0;
    m_prefs.setViewAngle(ViewLimits::field(m_prefs.viewAngle() + change * s));
}

void SkyKeyboard::toggleDebug()
{
    m_prefs.setIsDebug();
    m_window.setWindowTitle(m_prefs.isDebug() ? kDebugTitle : kTitle);
}

bool SkyKeyboard::shortcut(int position)
{
    if (position < 0 || position >= kShortcutCount)
        return true;
    if (position >= kFirstTimeStep) {
        m_time.step(kTimeSteps[position - kFirstTimeStep]);
        return true;
    }
    if (position >= kFirstLayerToggle) {
        const LayerToggle& layer = kLayerToggles[position - kFirstLayerToggle];
        (m_prefs.*layer.toggle)();
        if (position == kMythToggle)
            tintMythOnFirstShow(m_outlets.chartImages, m_prefs.isMyth());
        if (position == kOutlinesToggle && m_outlets.svWindow && m_outlets.svWindow->isWindowVisible())
            m_outlets.svWindow->display();
        if (position == kPathToggle && m_prefs.isPath() && m_outlets.planetPath)
            m_outlets.planetPath->calculatePlanetPath();
        if (layer.force)
            m_chain.redraw(true);
        return !layer.force;
    }
    if (position == kCentrePosition) {
        if (m_outlets.centering)
            m_outlets.centering->centerObject();
        return true;
    }
    if (position == kNightVisionPosition) {
        if (m_outlets.menus)
            m_outlets.menus->viewMenuAction(kViewNightVisionTag);
        return false;
    }
    if (position >= kFirstFixedView) {
        const FixedView& view = kFixedViews[position - kFirstFixedView];
        if (view.setting == ViewSetting::Azimuth)
            m_prefs.setAzimuth(view.degrees);
        else if (view.setting == ViewSetting::Altitude)
            m_prefs.setAltitude(view.degrees);
        else
            m_prefs.setViewAngle(view.degrees);
        return true;
    }
    if (position == kFindPanelPosition) {
        if (FloatingPanel* panel = m_outlets.findPanel) {
            const bool open = !panel->isPanelVisible();
            panel->showPanel(open);
            if (m_outlets.findObjects)
                m_outlets.findObjects->openFind(open);
        }
        return false;
    }
    if (m_outlets.menus)
        m_outlets.menus->setupMenuAction(position == 1 ? kSetupHomeSiteTag : kSetupRealTimeTag);
    return false;
}
