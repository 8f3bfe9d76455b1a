#pragma once

#include "find/calendar/CalendarStore.h"

#include <memory>

// The user's calendars through the calendar module (IcalCalendarStore),
// loaded with the first calendar asked for, so that a start maps no
// libical. Without the module there are no calendars, nothing is saved or
// created, and the user is told which support is missing.
class LoadedCalendarStore final : public CalendarStore {
public:
    explicit LoadedCalendarStore(QString folder) : m_folder(std::move(folder)) {}

    QStringList calendarTitles() const override;
    bool saveEvent(int calendar, const CalendarEvent& event) override;
    QString createCalendar(const QString& title) override;

private:
    // Made on the first call; null without the module.
    CalendarStore* store() const;

    QString m_folder;
    mutable std::unique_ptr<CalendarStore> m_store;
    mutable QString m_error;  // why there is no store
    mutable bool m_tried = false;
};
