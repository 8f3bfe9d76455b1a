#include "chart/menus/ShowMenuActions.h"

#include "chart/ChartImages.h"
#include "chart/ChartOutlets.h"
#include "chart/PlanetPathSource.h"
#include "chart/SolarSystemWindow.h"
#include "chart/UpdateChain.h"
#include "model/settings/PrefControl.h"
#include "scopeview/ScopeViewWindow.h"
#include "skydraw/ChartDisplay.h"

// What follows a switch: project (forced or not) and redraw, redisplay a
// visible solar-system or telescope view window, compute the path when it was
// switched on, or tint the figures the first time they are switched on.
enum class ShowMenuActions::FollowUp { None, Redraw, Project, ForcedProject, SolarSystem, Path, Myth, ScopeView };

namespace {

using FollowUp = ShowMenuActions::FollowUp;

struct Layer {
    bool (PrefSwitches::*isOn)() const;
    void (PrefSwitches::*toggle)();
    FollowUp menu;
    FollowUp item;  // setItem's; None switches nothing and only redraws
};

// Tags 1 to 19 in order.
constexpr Layer kLayers[] = {
    {&PrefSwitches::isConstellations, &PrefSwitches::setIsConstellations, FollowUp::Project, FollowUp::Project},
    {&PrefSwitches::isBoundaries, &PrefSwitches::setIsBoundaries, FollowUp::ForcedProject, FollowUp::ForcedProject},
    {&PrefSwitches::isRA_Dec, &PrefSwitches::setIsRA_Dec, FollowUp::Project, FollowUp::Project},
    {&PrefSwitches::isAlt_Az, &PrefSwitches::setIsAlt_Az, FollowUp::Project, FollowUp::Project},
    {&PrefSwitches::isEcliptic, &PrefSwitches::setIsEcliptic, FollowUp::Project, FollowUp::Project},
    {&PrefSwitches::isEquator, &PrefSwitches::setIsEquator, FollowUp::Project, FollowUp::Project},
    {&PrefSwitches::isPlanetNames, &PrefSwitches::setIsPlanetNames, FollowUp::SolarSystem, FollowUp::Redraw},
    {&PrefSwitches::isStarNames, &PrefSwitches::setIsStarNames, FollowUp::Redraw, FollowUp::Redraw},
    {&PrefSwitches::isDeepSkyNames, &PrefSwitches::setIsDeepSkyNames, FollowUp::Redraw, FollowUp::Redraw},
    {&PrefSwitches::isCometNames, &PrefSwitches::setIsCometNames, FollowUp::SolarSystem, FollowUp::Redraw},
    {&PrefSwitches::isMilkyWay, &PrefSwitches::setIsMilkyWay, FollowUp::ForcedProject, FollowUp::ForcedProject},
    {&PrefSwitches::isPath, &PrefSwitches::setIsPath, FollowUp::Path, FollowUp::Path},
    {&PrefSwitches::isPhoto, &PrefSwitches::setIsPhoto, FollowUp::Redraw, FollowUp::Redraw},
    {&PrefSwitches::isBelow, &PrefSwitches::setIsBelow, FollowUp::Project, FollowUp::Project},
    {&PrefSwitches::isMist, &PrefSwitches::setIsMist, FollowUp::Project, FollowUp::Project},
    {&PrefSwitches::isMeteor, &PrefSwitches::setIsMeteor, FollowUp::ForcedProject, FollowUp::ForcedProject},
    {&PrefSwitches::isMyth, &PrefSwitches::setIsMyth, FollowUp::Myth, FollowUp::None},
    {&PrefSwitches::isMeridian, &PrefSwitches::setIsMeridian, FollowUp::Project, FollowUp::ForcedProject},
    {&PrefSwitches::isOutlines, &PrefSwitches::setIsOutlines, FollowUp::ScopeView, FollowUp::ScopeView},
};
static_assert(std::size(kLayers) == ShowMenuActions::kLastTag);

bool isLayerTag(int tag) { return tag >= ShowMenuActions::kFirstTag && tag <= ShowMenuActions::kLastTag; }

}  // namespace

ShowMenuActions::ShowMenuActions(PrefControl& prefs, const ChartOutlets& outlets, UpdateChain& chain)
    : m_prefs(prefs), m_outlets(outlets), m_chain(chain)
{
}

void ShowMenuActions::menuAction(int tag) { apply(tag, true); }

void ShowMenuActions::setItem(int tag) { apply(tag, false); }

MenuItemState ShowMenuActions::validateMenuItem(int tag) const
{
    MenuItemState state;
    if (isLayerTag(tag)) {
        const Layer& layer = kLayers[tag - kFirstTag];
        state.checked = (m_prefs.*layer.isOn)();
    }
    return state;
}

void ShowMenuActions::apply(int tag, bool fromMenu)
{
    const Layer* layer = isLayerTag(tag) ? &kLayers[tag - kFirstTag] : nullptr;
    const FollowUp step = !layer ? FollowUp::None : fromMenu ? layer->menu : layer->item;
    if (step == FollowUp::None) {
        display();
        return;
    }
    (m_prefs.*layer->toggle)();
    followUp(step);
}

void ShowMenuActions::followUp(FollowUp step)
{
    switch (step) {
    case FollowUp::Project:
        m_chain.redraw(false);
        return;
    case FollowUp::ForcedProject:
        m_chain.redraw(true);
        return;
    case FollowUp::SolarSystem:
        if (m_outlets.ssControl && m_outlets.ssControl->isWindowVisible())
            m_outlets.ssControl->display();
        break;
    case FollowUp::Path:
        if (m_prefs.isPath() && m_outlets.planetPath)
            m_outlets.planetPath->calculatePlanetPath();
        break;
    case FollowUp::Myth:
        tintMythOnFirstShow(m_outlets.chartImages, m_prefs.isMyth());
        m_chain.redraw(true);
        return;
    case FollowUp::ScopeView:
        if (m_outlets.svWindow && m_outlets.svWindow->isWindowVisible())
            m_outlets.svWindow->display();
        break;
    case FollowUp::None:
    case FollowUp::Redraw:
        break;
    }
    display();
}

void ShowMenuActions::display()
{
    if (m_outlets.skyView)
        m_outlets.skyView->display();
}
