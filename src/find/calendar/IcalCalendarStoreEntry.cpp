// The entry of the calendar module: IcalCalendarStore's own code, with
// libical. The calls name the class so that they run this code, not the
// program's, whose object they are given.
#include "find/calendar/CalendarModule.h"

extern "C" Q_DECL_EXPORT const CalendarModule::Calls* norvaneCalendarCalls()
{
    static const CalendarModule::Calls calls{
        [](const IcalCalendarStore& store) { return store.IcalCalendarStore::calendarTitles(); },
        [](IcalCalendarStore& store, int calendar, const CalendarEvent& event) {
            return store.IcalCalendarStore::saveEvent(calendar, event);
        },
        [](IcalCalendarStore& store, const QString& title) {
            return store.IcalCalendarStore::createCalendar(title);
        },
    };
    return &calls;
}
