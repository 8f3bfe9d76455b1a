#pragma once

#include "find/calendar/IcalCalendarStore.h"

// The iCalendar files are read and written with libical, which only the
// calendar-event panel needs: IcalCalendarStore's code lives in a module
// loaded with the panel's first use of a calendar (DeviceModule), and the
// program's IcalCalendarStore hands its calls on to it.
namespace CalendarModule {

inline constexpr const char* kName = "norvane-calendar";
inline constexpr const char* kCalls = "norvaneCalendarCalls";

struct Calls {
    QStringList (*calendarTitles)(const IcalCalendarStore& store);
    bool (*saveEvent)(IcalCalendarStore& store, int calendar, const CalendarEvent& event);
    QString (*createCalendar)(IcalCalendarStore& store, const QString& title);
};
using GetCalls = const Calls*();

}  // namespace CalendarModule
