// The entry of the calendar module.
#include "find/calendar/CalendarModule.h"
#include "find/calendar/IcalCalendarStore.h"

extern "C" Q_DECL_EXPORT std::unique_ptr<CalendarStore> norvaneCreateCalendarStore(const QString& folder)
{
    return std::make_unique<IcalCalendarStore>(folder);
}
