#include "find/calendar/LoadedCalendarStore.h"

#include "find/calendar/CalendarModule.h"
#include "platform/DeviceModule.h"

CalendarStore* LoadedCalendarStore::store() const
{
    if (!m_tried) {
        m_tried = true;
        const DeviceModule::Entry entry =
            DeviceModule::findOrWarn(CalendarModule::kName, CalendarModule::kCreateStore, QStringLiteral("calendars"));
        if (entry.address)
            m_store = reinterpret_cast<CalendarModule::CreateStore*>(entry.address)(m_folder);
        m_error = entry.error;
    }
    return m_store.get();
}

QStringList LoadedCalendarStore::calendarTitles() const
{
    const CalendarStore* calendars = store();
    return calendars ? calendars->calendarTitles() : QStringList();
}

bool LoadedCalendarStore::saveEvent(int calendar, const CalendarEvent& event)
{
    CalendarStore* calendars = store();
    return calendars && calendars->saveEvent(calendar, event);
}

QString LoadedCalendarStore::createCalendar(const QString& title)
{
    CalendarStore* calendars = store();
    return calendars ? calendars->createCalendar(title) : m_error;
}
