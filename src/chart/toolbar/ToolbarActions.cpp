#include "chart/toolbar/ToolbarActions.h"

#include "chart/ChartImages.h"
#include "chart/ChartOutlets.h"
#include "chart/MainWindowControl.h"
#include "chart/NameSearch.h"
#include "chart/PlanetPathSource.h"
#include "chart/SolarSystemWindow.h"
#include "chart/TimePanel.h"
#include "chart/UpdateChain.h"
#include "chart/controls/SkyTimeControl.h"
#include "chart/toolbar/ToolbarItems.h"
#include "model/SkyDateModel.h"
#include "model/settings/PrefControl.h"
#include "platform/widgets/FloatingPanel.h"
#include "scopeview/ScopeViewControl.h"
#include "scopeview/ScopeViewWindow.h"
#include "skydraw/ChartDisplay.h"

namespace {

// After a layer's switch: re-project (forced or not), redisplay the
// windows that show the layer, compute the path or tint the figures.
enum class Refresh { Windows, AllWindows, Project, ForcedProject, Path, Myth };

struct Layer {
    int tag;
    bool (PrefSwitches::*isOn)() const;
    void (PrefSwitches::*toggle)();
    Refresh refresh;
};

constexpr Layer kLayers[] = {
    {1, &PrefSwitches::isStarNames, &PrefSwitches::setIsStarNames, Refresh::Windows},
    {2, &PrefSwitches::isPlanetNames, &PrefSwitches::setIsPlanetNames, Refresh::AllWindows},
    {3, &PrefSwitches::isCometNames, &PrefSwitches::setIsCometNames, Refresh::AllWindows},
    {4, &PrefSwitches::isDeepSkyNames, &PrefSwitches::setIsDeepSkyNames, Refresh::Windows},
    {5, &PrefSwitches::isConstellations, &PrefSwitches::setIsConstellations, Refresh::Project},
    {6, &PrefSwitches::isBoundaries, &PrefSwitches::setIsBoundaries, Refresh::ForcedProject},
    {7, &PrefSwitches::isRA_Dec, &PrefSwitches::setIsRA_Dec, Refresh::Project},
    {8, &PrefSwitches::isAlt_Az, &PrefSwitches::setIsAlt_Az, Refresh::Project},
    {9, &PrefSwitches::isEcliptic, &PrefSwitches::setIsEcliptic, Refresh::Project},
    {10, &PrefSwitches::isEquator, &PrefSwitches::setIsEquator, Refresh::Project},
    {11, &PrefSwitches::isMilkyWay, &PrefSwitches::setIsMilkyWay, Refresh::ForcedProject},
    {12, &PrefSwitches::isPath, &PrefSwitches::setIsPath, Refresh::Path},
    {13, &PrefSwitches::isPhoto, &PrefSwitches::setIsPhoto, Refresh::Windows},
    {14, &PrefSwitches::isBelow, &PrefSwitches::setIsBelow, Refresh::Project},
    {17, &PrefSwitches::isMist, &PrefSwitches::setIsMist, Refresh::ForcedProject},
    {21, &PrefSwitches::isMyth, &PrefSwitches::setIsMyth, Refresh::Myth},
    {22, &PrefSwitches::isMeridian, &PrefSwitches::setIsMeridian, Refresh::Project},
    {23, &PrefSwitches::isOutlines, &PrefSwitches::setIsOutlines, Refresh::Windows},
};

constexpr int kTimePanelTag = 15;
constexpr int kDirectionPanelTag = 16;
constexpr int kSolarSystemTag = 19;
constexpr int kScopeViewTag = 20;

// Seconds of the four time steppers.
constexpr double kTimeSteps[] = {1.0, 60.0, 3600.0, 86400.0};

const Layer* layer(int tag)
{
    for (const Layer& l : kLayers)
        if (l.tag == tag)
            return &l;
    return nullptr;
}

}  // namespace

ToolbarActions::ToolbarActions(PrefControl& prefs, const ChartOutlets& outlets, UpdateChain& chain,
                               SkyTimeControl& time)
    : m_prefs(prefs), m_outlets(outlets), m_chain(chain), m_time(time)
{
}

void ToolbarActions::skyToolbarAction(int tag)
{
    if (tag == kTimePanelTag)
        return showTimeControlPanel();
    if (tag == kDirectionPanelTag)
        return showDirectionControlPanel();
    if (tag == kSolarSystemTag) {
        if (m_outlets.ssControl)
            m_outlets.ssControl->toggleWindow();
        return;
    }
    if (tag == kScopeViewTag)
        return toggleScopeViewWindow();
    const Layer* l = layer(tag);
    if (!l)
        return;
    (m_prefs.*l->toggle)();
    switch (l->refresh) {
    case Refresh::Windows:
        displayMain();
        displayScopeView();
        break;
    case Refresh::AllWindows:
        displayMain();
        displayScopeView();
        displaySolarSystem();
        break;
    case Refresh::Project:
    case Refresh::ForcedProject:
        m_chain.project(l->refresh == Refresh::ForcedProject);
        displayMain();
        break;
    case Refresh::Path:
        if (m_prefs.isPath() && m_outlets.planetPath)
            m_outlets.planetPath->calculatePlanetPath();
        displayMain();
        displayScopeView();
        break;
    case Refresh::Myth:
        tintMythOnFirstShow(m_outlets.chartImages, m_prefs.isMyth());
        m_chain.project(false);
        displayMain();
        break;
    }
}

void ToolbarActions::timeToolbarAction(int tag, bool forward)
{
    if (tag >= 1 && tag <= int(std::size(kTimeSteps))) {
        if (!m_time.permitsTimeChange())
            return;
        m_time.skyDate().calculateDate(std::nullopt, forward ? kTimeSteps[tag - 1] : -kTimeSteps[tag - 1]);
    }
    m_chain.updateSky();
}

bool ToolbarActions::searchUsingToolbarSearchField(const QString& text)
{
    if (text.isEmpty())
        return false;
    NameSearch* search = m_outlets.nameSearch;
    if (!search)
        return true;
    if (search->findVoiceName(text) == NameSearch::kFoundAndSelected)
        search->findCenterAction();
    else
        search->searchInFindPanel(text);
    return true;
}

void ToolbarActions::showTimeControlPanel()
{
    m_prefs.setIsTimePanel();
    if (m_outlets.timeControlPanel)
        m_outlets.timeControlPanel->showPanel(m_prefs.isTimePanel());
}

void ToolbarActions::showDirectionControlPanel()
{
    m_prefs.setIsDirectionPanel();
    if (m_outlets.directionControlPanel)
        m_outlets.directionControlPanel->showPanel(m_prefs.isDirectionPanel());
}

QString ToolbarActions::validateToolbarItem(int tag, const QString& label) const
{
    QString bare = label;
    while (bare.startsWith(ToolbarItems::kCheckMark))
        bare.remove(0, 1);
    while (bare.endsWith(ToolbarItems::kCheckMark))
        bare.chop(1);
    bool on = false;
    if (const Layer* l = layer(tag))
        on = (m_prefs.*l->isOn)();
    else if (tag == kSolarSystemTag)
        on = m_outlets.ssControl && m_outlets.ssControl->isWindowVisible();
    else if (tag == kScopeViewTag)
        on = m_outlets.svWindow && m_outlets.svWindow->isWindowVisible();
    return on ? ToolbarItems::kCheckMark + bare : bare;
}

void ToolbarActions::displayMain()
{
    if (m_outlets.mainWindow && m_outlets.mainWindow->isWindowVisible() && m_outlets.skyView)
        m_outlets.skyView->display();
}

void ToolbarActions::displayScopeView()
{
    if (m_outlets.svWindow && m_outlets.svWindow->isWindowVisible())
        m_outlets.svWindow->display();
}

void ToolbarActions::displaySolarSystem()
{
    if (m_outlets.ssControl && m_outlets.ssControl->isWindowVisible())
        m_outlets.ssControl->display();
}

void ToolbarActions::toggleScopeViewWindow()
{
    ScopeViewControl* control = m_outlets.svControl;
    if (!control)
        return;
    if (m_outlets.svWindow && m_outlets.svWindow->isWindowVisible()) {
        control->orderOut();
        control->setKeepSVClosed(true);
    } else {
        control->setKeepSVClosed(false);
        control->orderFront();
    }
}
