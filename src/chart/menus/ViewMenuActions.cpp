#include "chart/menus/ViewMenuActions.h"

#include "chart/ChartOutlets.h"
#include "chart/ChartViewModes.h"
#include "chart/Finder.h"
#include "chart/MainWindowControl.h"
#include "chart/ObjectCentering.h"
#include "chart/UpdateChain.h"
#include "chart/menus/NightVisionFade.h"
#include "model/settings/PrefControl.h"

namespace {

enum class Setting { Azimuth, Altitude, ViewAngle };

struct Preset {
    int tag;
    Setting setting;
    double degrees;
};

// Tag 17 is the all-sky view, which the chart draws for 185 degrees.
constexpr Preset kPresets[] = {
    {1, Setting::Azimuth, 0.0},      {2, Setting::Azimuth, 180.0},     {3, Setting::Azimuth, 90.0},
    {4, Setting::Azimuth, 270.0},    {5, Setting::Altitude, 45.0},     {6, Setting::Altitude, 90.0},
    {7, Setting::ViewAngle, 5.0},    {8, Setting::ViewAngle, 30.0},    {9, Setting::ViewAngle, 60.0},
    {10, Setting::ViewAngle, 90.0},  {11, Setting::ViewAngle, 120.0},  {12, Setting::ViewAngle, 180.0},
    {17, Setting::ViewAngle, 185.0},
};

constexpr int kCenterObjectTag = 14;
constexpr int kTrackTag = 16;
constexpr int kFullScreenTag = 18;
// The circle-with-cross finder, the one whose field can be outlined.
constexpr int kOutlinedFinderType = 2;

const Preset* preset(int tag)
{
    for (const Preset& p : kPresets)
        if (p.tag == tag)
            return &p;
    return nullptr;
}

// Camera lenses, binoculars, fixed angles and the finder.
bool isOutlineTag(int tag)
{
    return (tag >= 21 && tag <= 27) || (tag >= 31 && tag <= 35) || (tag >= 41 && tag <= ViewMenuActions::kFinderOutlineTag);
}

}  // namespace

ViewMenuActions::ViewMenuActions(PrefControl& prefs, const ChartOutlets& outlets, UpdateChain& chain,
                                 NightVisionFade& fade)
    : m_prefs(prefs), m_outlets(outlets), m_chain(chain), m_fade(fade)
{
}

void ViewMenuActions::menuAction(int tag)
{
    if (const Preset* p = preset(tag)) {
        switch (p->setting) {
        case Setting::Azimuth: m_prefs.setAzimuth(p->degrees); break;
        case Setting::Altitude: m_prefs.setAltitude(p->degrees); break;
        case Setting::ViewAngle: m_prefs.setViewAngle(p->degrees); break;
        }
    } else if (tag == kCenterObjectTag) {
        if (m_outlets.centering)
            m_outlets.centering->centerObject();
    } else if (tag == kNightVisionTag) {
        nightVision();
    } else if (tag == kTrackTag) {
        if (m_outlets.findObjects)
            m_outlets.findObjects->findTrackAction();
    } else if (tag == kFullScreenTag) {
        if (m_outlets.mainWindow)
            m_outlets.mainWindow->toggleFullScreen();
    } else if (isOutlineTag(tag)) {
        toggleOutline(tag);
    }
    m_chain.updateView();
}

MenuItemState ViewMenuActions::validateMenuItem(int tag) const
{
    MenuItemState state;
    if (const Preset* p = preset(tag)) {
        const double now = p->setting == Setting::Azimuth    ? m_prefs.azimuth()
                           : p->setting == Setting::Altitude ? m_prefs.altitude()
                                                             : m_prefs.viewAngle();
        state.checked = now == p->degrees;
    } else if (tag == kCenterObjectTag || tag == kTrackTag) {
        state.checked = false;
        state.enabled = m_prefs.findIndex() != kNoObjectIndex;
    } else if (tag == kNightVisionTag) {
        state.checked = m_prefs.isNightVision();
    } else if (isOutlineTag(tag)) {
        const bool shown = m_outlets.skyViewModes && m_outlets.skyViewModes->outlines() == tag;
        state.enabled = tag != kFinderOutlineTag || hasFinderOutline();
        state.checked = shown && state.enabled;
    }
    return state;
}

void ViewMenuActions::lookDirection(int direction)
{
    if (direction >= 1 && direction <= 6)
        menuAction(direction);
    else
        m_chain.updateView();
}

void ViewMenuActions::zoomAngle(double degrees)
{
    m_prefs.setViewAngle(degrees);
    m_chain.updateView();
}

void ViewMenuActions::nightVision()
{
    m_prefs.setIsNightVision();
    if (m_prefs.displayID() == 0)
        return;
    if (m_prefs.isNightVision())
        m_fade.fadeIn(m_prefs.nvGammaArray());
    else
        m_fade.fadeOut(m_prefs.nvGammaArray());
    m_prefs.setNightVisionColor();
}

void ViewMenuActions::toggleOutline(int tag)
{
    if (ChartViewModes* view = m_outlets.skyViewModes)
        view->setOutlines(view->outlines() == tag ? 0 : tag);
}

bool ViewMenuActions::hasFinderOutline() const
{
    const int current = m_prefs.currentScope();
    return current >= 0 && current < int(m_prefs.scopes().size()) &&
           m_prefs.scopes()[current].finderType == kOutlinedFinderType;
}
