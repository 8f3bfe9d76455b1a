#pragma once

#include "app/ScopeTourMount.h"
#include "find/calendar/LoadedCalendarStore.h"
#include "find/panels/ChartKeyboard.h"
#include "find/tours/ClipboardCaptureLink.h"
#include "find/tours/TourControl.h"
#include "find/tours/TourFinderLink.h"

#include <QDateTime>

#include <functional>

class FindObjects;
class TourCamera;
class FindSky;
class PrefControl;
class ScopeControl;
class SkyView;
class CalEventPanel;
class TonightWindow;
class TourPanel;
class QWidget;
struct ChartOutlets;

// The observing plans around the finder: the tours and their panel and the
// night planner and the calendar-event panel, made and put into the chart's
// outlets.
class PlanningAssembly final {
public:
    struct Links {
        PrefControl& prefs;
        FindObjects& finder;
        FindSky& sky;
        ScopeControl& scope;
        std::function<void()> updateSky;
        ChartKeyboard chart;
        // The File menu's question when the panel of a tour being built
        // closes: true when the panel stays.
        std::function<bool()> handleTourClose;
        std::function<QDateTime()> skyDate;
        QString tourDirectory;
        QString calendarFolder;  // the per-user "Calendars"
        // The preferences window lists its custom filters again after a tour save.
        std::function<void()> setupCustomFilters;
        TourCamera* canon = nullptr;
    };
    // The panels are tool windows of `window`.
    PlanningAssembly(const Links& links, ChartOutlets& outlets, QWidget* window);

    TourControl& tours() { return m_tours; }
    TonightWindow& tonightWindow() { return *m_tonightWindow; }
    CalEventPanel& calEventPanel() { return *m_calEventPanel; }
    // The tour panel first opens in the top-right corner of the chart's
    // view: clear of the chart's menu bar and of the captions it draws while
    // a tour is being built.
    void placeTourPanelOver(const SkyView& view);

private:
    TourFinderLink m_finder;
    ClipboardCaptureLink m_capture;
    ScopeTourMount m_mount;
    TourControl m_tours;
    TourPanel* m_tourPanel;          // owned by the window
    TonightWindow* m_tonightWindow;  // owned by the window
    LoadedCalendarStore m_calendars;
    CalEventPanel* m_calEventPanel;  // owned by the window
};
