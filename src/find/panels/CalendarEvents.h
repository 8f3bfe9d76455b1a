#pragma once

// The calendar-event panel as the File menu and the chart's clock reach it.
class CalendarEvents {
public:
    virtual ~CalendarEvents() = default;
    virtual bool isPanelVisible() const = 0;
    virtual void orderOut() = 0;
    // Shows the chart's date, refills the calendars and brings the panel to the front.
    virtual void displayDateTime() = 0;
    // Shows the chart's date again while the panel is visible.
    virtual void updateDateTime() = 0;
};
