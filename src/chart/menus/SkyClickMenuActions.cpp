#include "chart/menus/SkyClickMenuActions.h"

#include "chart/ChartOutlets.h"
#include "chart/ChartViewModes.h"
#include "skydraw/ChartDisplay.h"

SkyClickMenuActions::SkyClickMenuActions(const ChartOutlets& outlets) : m_outlets(outlets) {}

void SkyClickMenuActions::menuAction(int tag)
{
    if (ChartViewModes* view = m_outlets.skyViewModes) {
        switch (tag) {
        case 1: view->setIsTrack(true); break;
        case 2: view->setIsAngleSep(true); break;
        case 3: view->setIsCopy(true); break;
        case 5: view->setIsCenter(true); break;
        default: break;  // 4, hand move: the plain drag
        }
    }
    if (m_outlets.skyView)
        m_outlets.skyView->display();
}
