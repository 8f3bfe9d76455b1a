// IcalCalendarStore in the program: the calls go to the calendar module,
// loaded with the first calendar asked for, so that a start maps no libical.
// The tests link IcalCalendarStore.cpp itself instead. Without the module
// there are no calendars and nothing is saved or created.
#include "find/calendar/CalendarModule.h"
#include "platform/DeviceModule.h"

namespace {

const DeviceModule::Entry& module()
{
    static const DeviceModule::Entry entry = DeviceModule::findOrWarn(
        CalendarModule::kName, CalendarModule::kCalls, QStringLiteral("The calendars cannot be had"));
    return entry;
}

const CalendarModule::Calls* calls()
{
    return module().address ? reinterpret_cast<CalendarModule::GetCalls*>(module().address)() : nullptr;
}

}  // namespace

QStringList IcalCalendarStore::calendarTitles() const
{
    const CalendarModule::Calls* module = calls();
    return module ? module->calendarTitles(*this) : QStringList();
}

bool IcalCalendarStore::saveEvent(int calendar, const CalendarEvent& event)
{
    const CalendarModule::Calls* module = calls();
    return module && module->saveEvent(*this, calendar, event);
}

QString IcalCalendarStore::createCalendar(const QString& title)
{
    const CalendarModule::Calls* loaded = calls();
    return loaded ? loaded->createCalendar(*this, title) : module().error;
}
