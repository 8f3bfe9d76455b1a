#pragma once

#include "find/panels/CalendarEvents.h"

#include <QDateTime>
#include <QWidget>

#include <functional>

class CalendarStore;
class QButtonGroup;
class QComboBox;
class QLabel;
class QLineEdit;

// The small panel that saves the chart's date and time as a one-minute event,
// with a title and an optional alarm an hour or a day before, into one of the
// user's calendars.
class CalEventPanel final : public QWidget, public CalendarEvents {
    Q_OBJECT
public:
    static constexpr int kCancelTag = 1;
    static constexpr int kSaveTag = 2;
    // Alarm columns.
    static constexpr int kNoAlarm = 0;
    static constexpr int kHourBefore = 1;
    static constexpr int kDayBefore = 2;
    // The calendar offered when the user has none.
    static constexpr const char* kDefaultCalendar = "Norvane Pro";

    struct Links {
        CalendarStore* store = nullptr;  // none: nothing can be saved
        std::function<QDateTime()> skyDate;
        std::function<QDateTime()> now;  // the system clock
    };

    CalEventPanel(Links links, QWidget* parent = nullptr);

    bool isPanelVisible() const override { return isVisible(); }
    void orderOut() override { hide(); }
    void displayDateTime() override;
    void updateDateTime() override;
    // Save without a calendar to save into says to create one first.
    void buttonAction(int tag);
    bool saveEvent();
    // Makes the default calendar and selects it; a failure shows its reason.
    // The pop-up's last entry does this when there is no calendar.
    bool createDefaultCalendar();

    QLineEdit& titleEditText() const { return *m_title; }
    QComboBox& calPopupButton() const { return *m_calendars; }
    QLabel& dateTimeText() const { return *m_dateTime; }
    void setAlarmColumn(int column);

private:
    bool hasCalendar() const;
    void fillCalendars(const QString& selected = {});
    void calendarChosen(int index);
    Links m_links;
    QLabel* m_dateTime;
    QLineEdit* m_title;
    QButtonGroup* m_alarm;
    QComboBox* m_calendars;
};
