#include "find/calendar/IcalCalendarStore.h"
#include "support/QStringPrinter.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTimeZone>

#include <libical/ical.h>

#include <gtest/gtest.h>

namespace {

const QByteArray kNamed = "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//test//EN\r\nX-WR-CALNAME:Observing\r\n"
                          "BEGIN:VEVENT\r\nUID:kept-1\r\nDTSTART:20250101T000000Z\r\nSUMMARY:Old\r\nEND:VEVENT\r\n"
                          "END:VCALENDAR\r\n";

void write(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    file.write(bytes);
}

QByteArray read(const QString& path)
{
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    return file.readAll();
}

QDateTime utc(icaltimetype t)
{
    return QDateTime::fromSecsSinceEpoch(icaltime_as_timet_with_zone(t, icaltimezone_get_utc_timezone()), QTimeZone::utc());
}

}  // namespace

TEST(IcalCalendarStore, CalendarsAreTheIcsFilesTitledByTheirNames)
{
    QTemporaryDir dir;
    write(dir.filePath("a-home.ics"), kNamed);
    write(dir.filePath("b-work.ics"), "");
    write(dir.filePath("notes.txt"), kNamed);
    EXPECT_EQ(IcalCalendarStore(dir.path()).calendarTitles(), QStringList({"Observing", "b-work"}));
    EXPECT_TRUE(IcalCalendarStore(dir.filePath("missing")).calendarTitles().isEmpty());
}

TEST(IcalCalendarStore, AnEventAndItsAlarmReadBackThroughLibical)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("home.ics");
    write(path, kNamed);
    IcalCalendarStore store(dir.path());
    const QDateTime start(QDate(2030, 8, 12), QTime(22, 30), QTimeZone::utc());
    ASSERT_TRUE(store.saveEvent(0, {start, start.addSecs(60), QString::fromUtf8("Perseids \u2604"), start.addSecs(-3600)}));

    icalcomponent* root = icalparser_parse_string(read(path).constData());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(icalcomponent_count_components(root, ICAL_VEVENT_COMPONENT), 2) << "the old event stays";
    icalcomponent* event = icalcomponent_get_first_component(root, ICAL_VEVENT_COMPONENT);
    event = icalcomponent_get_next_component(root, ICAL_VEVENT_COMPONENT);
    ASSERT_NE(event, nullptr);
    EXPECT_EQ(utc(icalcomponent_get_dtstart(event)), start);
    EXPECT_EQ(utc(icalcomponent_get_dtend(event)), start.addSecs(60));
    EXPECT_EQ(QString::fromUtf8(icalcomponent_get_summary(event)), QString::fromUtf8("Perseids \u2604"));
    icalcomponent* alarm = icalcomponent_get_first_component(event, ICAL_VALARM_COMPONENT);
    ASSERT_NE(alarm, nullptr);
    const icaltriggertype trigger =
        icalproperty_get_trigger(icalcomponent_get_first_property(alarm, ICAL_TRIGGER_PROPERTY));
    EXPECT_EQ(utc(trigger.time), start.addSecs(-3600));
    icalcomponent_free(root);
}

TEST(IcalCalendarStore, AFileThatIsNotACalendarIsLeftAlone)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("broken.ics");
    write(path, "this is not a calendar\n");
    IcalCalendarStore store(dir.path());
    const QDateTime start = QDateTime::currentDateTimeUtc();
    EXPECT_FALSE(store.saveEvent(0, {start, start.addSecs(60), "x", {}}));
    EXPECT_EQ(read(path), QByteArray("this is not a calendar\n"));
    EXPECT_FALSE(store.saveEvent(3, {start, start.addSecs(60), "x", {}}));
}

TEST(IcalCalendarStore, ANewCalendarNeverReplacesAFileOrLeavesTheFolder)
{
    QTemporaryDir dir;
    IcalCalendarStore store(dir.filePath("Calendars"));
    EXPECT_EQ(store.createCalendar("Norvane Pro"), QString()) << "the missing folder is made";
    EXPECT_EQ(store.calendarTitles(), QStringList("Norvane Pro"));
    const QString path = dir.filePath("Calendars/Norvane Pro.ics");
    write(path, kNamed);
    EXPECT_FALSE(store.createCalendar("Norvane Pro").isEmpty());
    EXPECT_EQ(read(path), kNamed) << "an existing calendar keeps its events";
    for (const char* title : {"../Escaped", "", ".hidden"})
        EXPECT_FALSE(store.createCalendar(title).isEmpty()) << title;
    EXPECT_FALSE(QFile::exists(dir.filePath("Escaped.ics")));
    EXPECT_EQ(QDir(dir.filePath("Calendars")).entryList(QDir::Files | QDir::Hidden).size(), 1);
}
