#include "chart/UpdateChain.h"

#include "chart/BottomPanel.h"
#include "chart/ChartImages.h"
#include "chart/ChartOutlets.h"
#include "chart/Finder.h"
#include "chart/ObjectCentering.h"
#include "chart/PlanetPathSource.h"
#include "chart/StarProjection.h"
#include "chart/TimePanel.h"
#include "model/ObjectIndex.h"
#include "model/settings/PrefControl.h"
#include "scopeview/ScopeViewWindow.h"
#include "skydraw/ChartDisplay.h"

UpdateChain::UpdateChain(PrefControl& prefs, const ChartOutlets& outlets)
    : m_prefs(prefs), m_outlets(outlets)
{
}

void UpdateChain::updateSkyView()
{
    project(true);
    display();
    updateBottomPanel();
}

void UpdateChain::updateSky()
{
    recolor();
    project(true);
    display();
    updateBottomPanel();
    displayScopeView();
    if (m_outlets.timeControlPanel)
        m_outlets.timeControlPanel->setupDate();
}

void UpdateChain::updateSkyAndColor()
{
    recolor();
    if (m_prefs.isPath() && m_prefs.findIndex() != kNoObjectIndex && m_outlets.planetPath)
        m_outlets.planetPath->calculatePlanetPath();
    project(true);
    display();
    updateBottomPanel();
    displayScopeView();
}

void UpdateChain::updateBottomPanel()
{
    if (m_outlets.skyBottomPanel)
        m_outlets.skyBottomPanel->updateBottomPanel();
}

void UpdateChain::redraw(bool force)
{
    project(force);
    display();
}

void UpdateChain::updateView()
{
    redraw();
    updateBottomPanel();
}

void UpdateChain::zoom()
{
    project(false);
    display();
}

void UpdateChain::viewDidEndLiveResize(const QRectF& bounds)
{
    m_prefs.setSkyViewRect(bounds);
    project(false);
    display();
}

void UpdateChain::trackSelection()
{
    if (m_outlets.findObjects)
        m_outlets.findObjects->findTrackAction();
    project(false);
    updateBottomPanel();
}

void UpdateChain::centerSelection()
{
    if (m_outlets.centering)
        m_outlets.centering->centerObject();
    project(false);
    display();
    updateBottomPanel();
}

void UpdateChain::recolor()
{
    if (m_outlets.chartImages) {
        m_outlets.chartImages->recolorStarArrays();
        m_outlets.chartImages->recolorObjectSymbols();
    }
}

void UpdateChain::project(bool force)
{
    if (m_outlets.projection)
        m_outlets.projection->calculateStarPositions(force);
    if (m_outlets.skyBottomPanel)
        m_outlets.skyBottomPanel->updateTwilight();
}

void UpdateChain::display()
{
    if (m_outlets.skyView)
        m_outlets.skyView->display();
}

void UpdateChain::displayScopeView()
{
    if (m_outlets.svWindow && m_outlets.svWindow->isWindowVisible())
        m_outlets.svWindow->display();
}
