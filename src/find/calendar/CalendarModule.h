#pragma once

#include "find/calendar/CalendarStore.h"

#include <memory>

// The iCalendar files are read and written with libical, which only the
// calendar-event panel needs: IcalCalendarStore lives in a module loaded
// with the panel's first use of a calendar (DeviceModule), which makes the
// stores LoadedCalendarStore holds.
namespace CalendarModule {

inline constexpr const char* kName = "norvane-calendar";
inline constexpr const char* kCreateStore = "norvaneCreateCalendarStore";
// The calendars of `folder`.
using CreateStore = std::unique_ptr<CalendarStore>(const QString& folder);

}  // namespace CalendarModule
