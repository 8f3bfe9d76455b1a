#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

// One event as the calendar-event panel saves it.
struct CalendarEvent {
    QDateTime start;
    QDateTime end;
    QString title;
    // An alarm at this moment, when there is one.
    std::optional<QDateTime> alarm;
};

// The user's calendars: titles in a fixed order, and saving one event into
// the calendar at an index of that order.
class CalendarStore {
public:
    virtual ~CalendarStore() = default;
    virtual QStringList calendarTitles() const = 0;
    // False when the event could not be saved; the calendar is then unchanged.
    virtual bool saveEvent(int calendar, const CalendarEvent& event) = 0;
    // Adds an empty calendar with this title, listed from then on; the
    // failure's reason, empty when created. A failure leaves nothing behind.
    virtual QString createCalendar(const QString& title) = 0;
};
