#pragma once

#include "find/calendar/CalendarStore.h"

// Calendars as iCalendar files: every ".ics" file of one folder is a
// calendar, in file-name order, titled by its X-WR-CALNAME or else by its
// file name. An event is added by rewriting the whole file atomically.
class IcalCalendarStore final : public CalendarStore {
public:
    explicit IcalCalendarStore(QString folder) : m_folder(std::move(folder)) {}

    QStringList calendarTitles() const override;
    bool saveEvent(int calendar, const CalendarEvent& event) override;
    // The calendar is the file "<title>.ics"; an existing file of that name is
    // never replaced.
    QString createCalendar(const QString& title) override;

private:
    QStringList calendarFiles() const;

    QString m_folder;
};
