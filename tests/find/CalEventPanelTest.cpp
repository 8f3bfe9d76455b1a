#include "find/calendar/IcalCalendarStore.h"
#include "find/panels/CalEventPanel.h"
#include "support/QStringPrinter.h"
#include "support/RecordingAlertPresenter.h"

#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimeZone>

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
    ASSERT_EQ(panel.calPopupButton().count(), 1);
    EXPECT_EQ(panel.calPopupButton().itemText(0), "No Calendars");
    panel.titleEditText().setText("Kept");
    panel.buttonAction(CalEventPanel::kSaveTag);
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Create a calendar first.");
    EXPECT_EQ(panel.titleEditText().text(), "Kept");
    EXPECT_TRUE(panel.isPanelVisible()) << "the panel stays open";
    panel.buttonAction(CalEventPanel::kCancelTag);
    EXPECT_FALSE(panel.isPanelVisible());
}

}  // namespace
