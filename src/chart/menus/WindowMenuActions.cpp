#include "chart/menus/WindowMenuActions.h"

#include "chart/ChartOutlets.h"
#include "chart/Finder.h"
#include "chart/MainWindowControl.h"
#include "chart/SolarSystemWindow.h"
#include "chart/TimePanel.h"
#include "chart/UpdateChain.h"
#include "find/panels/NightPlanner.h"
#include "model/settings/PrefControl.h"
#include "platform/widgets/FloatingPanel.h"
#include "scopeview/ScopeViewControl.h"
#include "scopeview/ScopeViewWindow.h"
#include "skydraw/ChartDisplay.h"

namespace {

const QString kMainTitle = QStringLiteral("Norvane Pro");

}  // namespace

WindowMenuActions::WindowMenuActions(PrefControl& prefs, const ChartOutlets& outlets, UpdateChain& chain)
    : m_prefs(prefs), m_outlets(outlets), m_chain(chain)
{
}

void WindowMenuActions::menuAction(int tag)
{
    switch (tag) {
    case kDirectionPanelTag:
        m_prefs.setIsDirectionPanel();
        if (m_outlets.directionControlPanel)
            m_outlets.directionControlPanel->showPanel(m_prefs.isDirectionPanel());
        break;
    case kTimePanelTag:
        m_prefs.setIsTimePanel();
        if (m_outlets.timeControlPanel)
            m_outlets.timeControlPanel->showPanel(m_prefs.isTimePanel());
        break;
    case kScopeViewTag:
        toggleScopeView();
        break;
    case kSolarSystemTag:
        if (m_outlets.ssControl && mayHide(isSolarSystemVisible()))
            m_outlets.ssControl->toggleWindow();
        break;
    case kSkyWindowTag:
        toggleSkyWindow();
        break;
    case kPlannerTag:
        if (NightPlanner* planner = m_outlets.tonightView; planner && planner->isPlannerVisible())
            planner->orderOut();
        else if (planner)
            planner->showTonight();
        break;
    case kInfoPanelTag:
        m_prefs.setIsInfoPanel(!m_prefs.isInfoPanel());
        if (m_outlets.mainWindow)
            m_outlets.mainWindow->setTitle(kMainTitle);
        if (m_outlets.findObjects)
            m_outlets.findObjects->updatePanelInfo(false);
        break;
    default:
        break;
    }
}

MenuItemState WindowMenuActions::validateMenuItem(int tag) const
{
    MenuItemState state;
    switch (tag) {
    case kDirectionPanelTag:
        state.checked = m_prefs.isDirectionPanel();
        break;
    case kTimePanelTag:
        state.checked = m_prefs.isTimePanel();
        break;
    case kScopeViewTag:
        state.checked = isScopeViewVisible();
        state.enabled = mayHide(isScopeViewVisible());
        break;
    case kSolarSystemTag:
        state.checked = isSolarSystemVisible();
        state.enabled = mayHide(isSolarSystemVisible());
        break;
    case kSkyWindowTag:
        state.checked = isSkyWindowVisible();
        state.enabled = mayHide(isSkyWindowVisible());
        break;
    case kInfoPanelTag:
        state.checked = m_prefs.isInfoPanel();
        break;
    default:
        break;
    }
    return state;
}

void WindowMenuActions::toggleScopeView()
{
    ScopeViewControl* view = m_outlets.svControl;
    if (!view || !mayHide(isScopeViewVisible()))
        return;
    if (isScopeViewVisible()) {
        view->orderOut();
        view->setKeepSVClosed(true);
    } else {
        view->setKeepSVClosed(false);
        view->orderFront();
        if (m_outlets.svWindow)
            m_outlets.svWindow->display();
    }
}

void WindowMenuActions::toggleSkyWindow()
{
    MainWindowControl* window = m_outlets.mainWindow;
    if (!window)
        return;
    if (!mayHide(window->isWindowVisible()))
        return;
    if (window->isWindowVisible()) {
        window->orderOut();
        window->setKeepSWClosed(true);
    } else {
        window->setKeepSWClosed(false);
        // The chart is current before it shows.
        m_chain.project(false);
        window->orderFront();
        if (m_outlets.skyView)
            m_outlets.skyView->display();
    }
}

bool WindowMenuActions::isScopeViewVisible() const
{
    return m_outlets.svWindow && m_outlets.svWindow->isWindowVisible();
}

bool WindowMenuActions::isSolarSystemVisible() const
{
    return m_outlets.ssControl && m_outlets.ssControl->isWindowVisible();
}

bool WindowMenuActions::mayHide(bool isVisible) const
{
    const int open = int(isScopeViewVisible()) + int(isSolarSystemVisible()) + int(isSkyWindowVisible());
    return !isVisible || open > 1;
}

bool WindowMenuActions::isSkyWindowVisible() const
{
    return m_outlets.mainWindow && m_outlets.mainWindow->isWindowVisible();
}
