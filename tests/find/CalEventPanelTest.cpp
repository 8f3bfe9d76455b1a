#include "find/calendar/IcalCalendarStore.h"
#include "find/panels/CalEventPanel.h"
#include "support/FileSizeLimit.h"
#include "support/QStringPrinter.h"
#include "support/RecordingAlertPresenter.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimeZone>

#include <functional>

#include <libical/ical.h>

#include <gtest/gtest.h>

namespace {

class CalEventPanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QFile file(dir.filePath("Sky.ics"));
        file.open(QIODevice::WriteOnly);
    }
    QByteArray saved() const
    {
        QFile file(dir.filePath("Sky.ics"));
        file.open(QIODevice::ReadOnly);
        return file.readAll();
    }
    // Saves an event at `ahead` seconds from now with the alarm column; true when saved.
    bool saveAt(qint64 ahead, int column)
    {
        chartDate = now.addSecs(ahead);
        panel.displayDateTime();
        panel.setAlarmColumn(column);
        panel.titleEditText().setText("Transit");
        return panel.saveEvent();
    }

    // Chooses the pop-up's last entry as the user would.
    void chooseLast()
    {
        QComboBox& popup = panel.calPopupButton();
        popup.setCurrentIndex(popup.count() - 1);
        emit popup.activated(popup.count() - 1);
    }

    QTemporaryDir dir;
    IcalCalendarStore store{dir.path()};
    QDateTime now = QDateTime(QDate(2031, 5, 1), QTime(20, 0), QTimeZone::utc());
    QDateTime chartDate = now;
    CalEventPanel panel{{&store, [this] { return chartDate; }, [this] { return now; }}};
};

TEST_F(CalEventPanelTest, AlarmsAreSavedOnlyWhenStillAhead)
{
    struct Case {
        qint64 ahead;
        int column;
        bool alarm;
    };
    for (const Case& c : {Case{1800, CalEventPanel::kHourBefore, false}, Case{3600, CalEventPanel::kHourBefore, true},
                          Case{-7200, CalEventPanel::kDayBefore, false}, Case{2 * 86400, CalEventPanel::kDayBefore, true},
                          Case{2 * 86400, CalEventPanel::kNoAlarm, false}}) {
        const qsizetype alarms = saved().count("BEGIN:VALARM");
        ASSERT_TRUE(saveAt(c.ahead, c.column)) << c.ahead;
        EXPECT_EQ(saved().count("BEGIN:VALARM") - alarms, c.alarm ? 1 : 0) << c.ahead << " " << c.column;
        EXPECT_TRUE(panel.titleEditText().text().isEmpty()) << "a saved event clears the title";
    }
    EXPECT_EQ(saved().count("BEGIN:VEVENT"), 5);
}

TEST_F(CalEventPanelTest, WithoutCalendarsSaveSaysToCreateOne)
{
    ScopedAlertRecorder alerts;
    QFile::remove(dir.filePath("Sky.ics"));
    panel.displayDateTime();
    EXPECT_EQ(panel.calPopupButton().currentText(), "No Calendars");
    panel.titleEditText().setText("Kept");
    panel.buttonAction(CalEventPanel::kSaveTag);
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Create a calendar first.");
    EXPECT_EQ(panel.titleEditText().text(), "Kept");
    EXPECT_TRUE(panel.isPanelVisible()) << "the panel stays open";
    panel.buttonAction(CalEventPanel::kCancelTag);
    EXPECT_FALSE(panel.isPanelVisible());
}

TEST_F(CalEventPanelTest, WithoutCalendarsThePopupCreatesTheDefaultOneAndSaveWorks)
{
    ScopedAlertRecorder alerts;
    panel.displayDateTime();
    EXPECT_EQ(panel.calPopupButton().count(), 1) << "no offer while there is a calendar";
    QFile::remove(dir.filePath("Sky.ics"));
    panel.displayDateTime();
    EXPECT_EQ(panel.calPopupButton().currentText(), "No Calendars") << "nothing is made unasked";
    ASSERT_TRUE(panel.calPopupButton().itemText(panel.calPopupButton().count() - 1).contains("Norvane Pro"));
    chooseLast();
    EXPECT_TRUE(alerts.alerts.empty());
    EXPECT_EQ(store.calendarTitles(), QStringList("Norvane Pro"));
    EXPECT_EQ(panel.calPopupButton().count(), 1);
    EXPECT_EQ(panel.calPopupButton().currentText(), "Norvane Pro");

    const auto read = [this] {
        QFile file(dir.filePath("Norvane Pro.ics"));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    icalcomponent* root = icalparser_parse_string(read().constData());
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(icalcomponent_isa(root), ICAL_VCALENDAR_COMPONENT);
    EXPECT_EQ(icalcomponent_count_components(root, ICAL_ANY_COMPONENT), 0);
    icalcomponent_free(root);

    panel.titleEditText().setText("Occultation");
    panel.buttonAction(CalEventPanel::kSaveTag);
    EXPECT_TRUE(alerts.alerts.empty());
    const QByteArray saved = read();
    EXPECT_EQ(saved.count("BEGIN:VEVENT"), 1);
    EXPECT_TRUE(saved.contains("SUMMARY:Occultation"));
}

TEST_F(CalEventPanelTest, ACalendarThatCannotBeWrittenIsReportedAndLeavesNothing)
{
    QFile::remove(dir.filePath("Sky.ics"));
    const QString folder = dir.filePath("Calendars");
    IcalCalendarStore blocked(folder);
    CalEventPanel offering{{&blocked, [this] { return chartDate; }, [this] { return now; }}};
    // Each makes the folder unwritable; false when it cannot here (the
    // superuser writes into a read-only folder).
    struct Case {
        const char* name;
        std::function<bool()> block;
        rlim_t sizeLimit = RLIM_INFINITY;
    };
    const Case cases[] = {
        {"read-only folder",
         [&] {
             QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner);
             QFile probe(folder + "/probe");
             const bool writable = probe.open(QIODevice::WriteOnly);
             probe.remove();
             return !writable;
         }},
        {"file-size limit", [] { return true; }, 16},
        {"folder path through a file",
         [&] {
             QDir(folder).removeRecursively();
             QFile blocker(folder);
             return blocker.open(QIODevice::WriteOnly);
         }},
    };
    for (const auto& [name, block, sizeLimit] : cases) {
        QDir().mkpath(folder);
        if (!block())
            continue;
        ScopedAlertRecorder alerts;
        {
            const FileSizeLimit limit(sizeLimit);
            offering.displayDateTime();
            EXPECT_FALSE(offering.createDefaultCalendar()) << name;
        }
        ASSERT_EQ(alerts.alerts.size(), 1u) << name;
        EXPECT_TRUE(alerts.alerts[0].title.contains("could not be created")) << name;
        EXPECT_FALSE(alerts.alerts[0].message.trimmed().isEmpty()) << name << ": the reason is shown";
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        EXPECT_TRUE(QDir(folder).entryList(QDir::Files | QDir::Hidden).isEmpty() || !QFileInfo(folder).isDir())
            << name << ": nothing half-written";
        EXPECT_EQ(offering.calPopupButton().currentText(), "No Calendars") << name;
        QFile::remove(folder);
        QDir(folder).removeRecursively();
    }
}

}  // namespace
