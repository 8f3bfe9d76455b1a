#include "chart/PlanningAssembly.h"

#include "chart/ChartOutlets.h"
#include "find/panels/TourPanel.h"

PlanningAssembly::PlanningAssembly(const Links& links, ChartOutlets& outlets, QWidget* window)
    : m_finder(links.finder, links.sky, links.prefs, links.updateSky),
      m_mount(links.scope),
      m_tours(TourControl::Links{m_finder, m_capture, &m_mount, nullptr, {}}),
      m_tourPanel(new TourPanel(m_tours, links.prefs, {links.chart, {}, links.handleTourClose}, window))
{
    outlets.tourControl = &m_tours;
}
