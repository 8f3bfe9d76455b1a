#include "app/FinderLink.h"

#include "find/FindObjects.h"
#include "find/panels/InfoPanelControl.h"
#include "find/tours/TourControl.h"

void FinderLink::findObject(QPointF chartPoint)
{
    m_finder.findObject(chartPoint);
}

void FinderLink::findTrackAction()
{
    m_finder.findTrackAction();
}

void FinderLink::updatePanelInfo(bool planner)
{
    m_panels.updatePanelInfo(planner);
}

void FinderLink::escapePanel()
{
    m_panels.escapePanel();
}

void FinderLink::openFind(bool open)
{
    if (m_openFind)
        m_openFind(open);
}

void FinderLink::addTourObject()
{
    if (m_tours)
        m_tours->addTourObject();
}
