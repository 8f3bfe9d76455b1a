// IcalCalendarStore in the program: the calls go to the calendar module,
// loaded with the first calendar asked for, so that a start maps no libical.
// The tests link IcalCalendarStore.cpp itself instead. Without the module
// there are no calendars and nothing is saved or created.
#include "find/calendar/CalendarModule.h"
#include "platform/DeviceModule.h"

#include <QDebug>

namespace {

const CalendarModule::Calls* calls(QString* error = nullptr)
{
    static const DeviceModule::Entry entry = DeviceModule::find(CalendarModule::kName, CalendarModule::kCalls);
    if (!entry.address) {
        const QString why = QStringLiteral("The calendars cannot be read: %1").arg(entry.error);
        qWarning().noquote() << why;
        if (error)
            *error = why;
        return nullptr;
    }
    return reinterpret_cast<CalendarModule::GetCalls*>(entry.address)();
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
    QString error;
    const CalendarModule::Calls* module = calls(&error);
    return module ? module->createCalendar(*this, title) : error;
}
