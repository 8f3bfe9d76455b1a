#include "app/PlanningAssembly.h"

#include "chart/ChartOutlets.h"
#include "chart/SkyView.h"
#include "find/panels/CalEventPanel.h"
#include "find/panels/TonightWindow.h"
#include "find/panels/TourPanel.h"
#include "platform/StringTables.h"
#include "platform/widgets/FileChooser.h"
#include "platform/widgets/FirstShowPlacement.h"
#include "platform/widgets/ScreenPlacement.h"

PlanningAssembly::PlanningAssembly(const Links& links, ChartOutlets& outlets, QWidget* window)
    : m_finder(links.finder, links.sky, links.prefs, links.updateSky),
      m_mount(links.scope),
      m_tours(TourControl::Links{m_finder, m_capture, &m_mount, links.canon, links.setupCustomFilters}),
      m_tourPanel(new TourPanel(m_tours, links.prefs, {links.chart, {}, links.handleTourClose}, window)),
      m_tonightWindow(nullptr),
      m_calendars(links.calendarFolder),
      m_calEventPanel(new CalEventPanel({&m_calendars, links.skyDate, [] { return QDateTime::currentDateTimeUtc(); }},
                                        window))
{
    const QString folder = links.tourDirectory;
    TonightView::Links tonight{links.prefs, m_finder, links.skyDate, {}, {}};
    tonight.chooseTourFile = [this, folder] {
        return FileChooser::openFileName(
            m_tonightWindow, StringTables::localizedString(QStringLiteral("Menus"), QStringLiteral("Open Tour File")),
            folder, QStringLiteral("Tour files (*.txt)"));
    };
    m_tonightWindow = new TonightWindow(tonight, window);
    outlets.tourControl = &m_tours;
    outlets.tonightWindow = m_tonightWindow;
    outlets.tonightView = m_tonightWindow;
    outlets.calEventPanel = m_calEventPanel;
}

void PlanningAssembly::placeTourPanelOver(const SkyView& view)
{
    TourPanel* panel = m_tourPanel;
    FirstShowPlacement::install(*panel, [panel, &view] {
        if (!view.isVisible())
            return;
        const QPoint origin = view.mapToGlobal(QPoint(0, 0));
        ScreenPlacement::intoCornerClearOf(*panel, QRect(origin, view.size()), Qt::TopRightCorner,
                                           view.tourCaptionsArea().translated(origin));
    });
}
