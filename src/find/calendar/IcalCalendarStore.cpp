#include "find/calendar/IcalCalendarStore.h"

#include "platform/SafeWrite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUuid>

#include <libical/ical.h>

#include <memory>

namespace {

const QString kCalendarName = QStringLiteral("X-WR-CALNAME");
const char* const kProductId = "-//Norvane//Norvane Pro//EN";

struct ComponentFree {
    void operator()(icalcomponent* c) const { icalcomponent_free(c); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

struct BufferFree {
    void operator()(char* text) const { icalmemory_free_buffer(text); }
};

icaltimetype icalTime(const QDateTime& moment)
{
    return icaltime_from_timet_with_zone(time_t(moment.toSecsSinceEpoch()), 0, icaltimezone_get_utc_timezone());
}

// The calendar in a file's text; an empty text is a new, empty calendar.
// Nothing when the text is not one calendar.
Component emptyCalendar()
{
    Component root(icalcomponent_new_vcalendar());
    icalcomponent_add_property(root.get(), icalproperty_new_prodid(kProductId));
    icalcomponent_add_property(root.get(), icalproperty_new_version("2.0"));
    return root;
}

Component parseCalendar(const QByteArray& text)
{
    if (text.trimmed().isEmpty())
        return emptyCalendar();
    Component root(icalparser_parse_string(text.constData()));
    if (!root || icalcomponent_isa(root.get()) != ICAL_VCALENDAR_COMPONENT)
        return nullptr;
    return root;
}

using Text = std::unique_ptr<char, BufferFree>;

std::optional<QByteArray> readFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

QString calendarName(icalcomponent* root)
{
    for (icalproperty* p = icalcomponent_get_first_property(root, ICAL_X_PROPERTY); p;
         p = icalcomponent_get_next_property(root, ICAL_X_PROPERTY)) {
        if (kCalendarName.compare(QLatin1String(icalproperty_get_x_name(p)), Qt::CaseInsensitive) == 0)
            return QString::fromUtf8(icalproperty_get_x(p)).trimmed();
    }
    return {};
}

icalcomponent* newEvent(const CalendarEvent& event)
{
    const QByteArray title = event.title.toUtf8();
    icalcomponent* vevent = icalcomponent_new_vevent();
    const QByteArray uid = QUuid::createUuid().toString(QUuid::WithoutBraces).toUtf8();
    icalcomponent_add_property(vevent, icalproperty_new_uid(uid.constData()));
    icalcomponent_add_property(vevent, icalproperty_new_dtstamp(icalTime(QDateTime::currentDateTimeUtc())));
    icalcomponent_add_property(vevent, icalproperty_new_dtstart(icalTime(event.start)));
    icalcomponent_add_property(vevent, icalproperty_new_dtend(icalTime(event.end)));
    icalcomponent_add_property(vevent, icalproperty_new_summary(title.constData()));
    if (event.alarm) {
        icalcomponent* alarm = icalcomponent_new_valarm();
        icalcomponent_add_property(alarm, icalproperty_new_action(ICAL_ACTION_DISPLAY));
        icalcomponent_add_property(alarm, icalproperty_new_description(title.constData()));
        icaltriggertype trigger{};
        trigger.time = icalTime(*event.alarm);
        trigger.duration = icaldurationtype_null_duration();
        // A trigger with a time is written as an absolute DATE-TIME.
        icalcomponent_add_property(alarm, icalproperty_new_trigger(trigger));
        icalcomponent_add_component(vevent, alarm);
    }
    return vevent;
}

}  // namespace

QStringList IcalCalendarStore::calendarFiles() const
{
    const QDir folder(m_folder);
    QStringList paths;
    for (const QString& name : folder.entryList({QStringLiteral("*.ics")}, QDir::Files | QDir::Readable, QDir::Name))
        paths.append(folder.filePath(name));
    return paths;
}

QStringList IcalCalendarStore::calendarTitles() const
{
    QStringList titles;
    for (const QString& path : calendarFiles()) {
        QString title;
        if (const std::optional<QByteArray> text = readFile(path))
            if (const Component root = parseCalendar(*text))
                title = calendarName(root.get());
        titles.append(title.isEmpty() ? QFileInfo(path).completeBaseName() : title);
    }
    return titles;
}

bool IcalCalendarStore::saveEvent(int calendar, const CalendarEvent& event)
{
    const QStringList files = calendarFiles();
    if (calendar < 0 || calendar >= files.size() || !event.start.isValid() || !event.end.isValid())
        return false;
    const QString& path = files.at(calendar);
    const std::optional<QByteArray> text = readFile(path);
    if (!text)
        return false;
    // A file that is not a calendar is left as it is rather than replaced.
    const Component root = parseCalendar(*text);
    if (!root)
        return false;
    icalcomponent_add_component(root.get(), newEvent(event));
    const Text out(icalcomponent_as_ical_string_r(root.get()));
    if (!out)
        return false;
    return SafeWrite::replace(path, QByteArrayView(out.get())).isEmpty();
}

QString IcalCalendarStore::createCalendar(const QString& title)
{
    const QString name = title.trimmed();
    // The title becomes a file name: nothing that could leave the folder.
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.startsWith(QLatin1Char('.')))
        return QStringLiteral("“%1” is not a calendar name.").arg(title);
    if (!QDir().mkpath(m_folder))
        return QStringLiteral("The folder “%1” could not be made.").arg(QDir::toNativeSeparators(m_folder));
    const QString path = QDir(m_folder).filePath(name + QStringLiteral(".ics"));
    if (QFileInfo::exists(path))
        return QStringLiteral("“%1” is already in the calendar folder.").arg(QDir::toNativeSeparators(path));
    const Component root = emptyCalendar();
    const QByteArray nameText = name.toUtf8();
    icalproperty* calendarTitle = icalproperty_new_x(nameText.constData());
    icalproperty_set_x_name(calendarTitle, kCalendarName.toLatin1().constData());
    icalcomponent_add_property(root.get(), calendarTitle);
    const Text out(icalcomponent_as_ical_string_r(root.get()));
    if (!out)
        return QStringLiteral("The calendar could not be written.");
    return SafeWrite::replace(path, QByteArrayView(out.get()));
}
