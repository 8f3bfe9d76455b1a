#include "find/panels/CalEventPanel.h"

#include "find/calendar/CalendarStore.h"
#include "platform/AlertPanel.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {

constexpr qint64 kEventSeconds = 60;
constexpr qint64 kHourLead = 3600;
constexpr qint64 kDayLead = 86400;
const QString kNoCalendars = QStringLiteral("No Calendars");
const QString kDefaultTitle = QString::fromLatin1(CalEventPanel::kDefaultCalendar);
const QString kCreateDefault = QStringLiteral("Create Calendar “%1”").arg(kDefaultTitle);

}  // namespace

CalEventPanel::CalEventPanel(Links links, QWidget* parent)
    : QWidget(parent, Qt::Tool),
      m_links(std::move(links)),
      m_dateTime(new QLabel(this)),
      m_title(new QLineEdit(this)),
      m_alarm(new QButtonGroup(this)),
      m_calendars(new QComboBox(this))
{
    setWindowTitle(QStringLiteral("Calendar Event"));
    auto* alarms = new QHBoxLayout;
    const char* const alarmTitles[] = {"No alarm", "1 hour before", "1 day before"};
    for (int column = kNoAlarm; column <= kDayBefore; ++column) {
        auto* radio = new QRadioButton(QString::fromLatin1(alarmTitles[column]), this);
        m_alarm->addButton(radio, column);
        alarms->addWidget(radio);
    }
    m_alarm->button(kNoAlarm)->setChecked(true);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* save = new QPushButton(QStringLiteral("Save"), this);
    connect(cancel, &QPushButton::clicked, this, [this] { buttonAction(kCancelTag); });
    connect(save, &QPushButton::clicked, this, [this] { buttonAction(kSaveTag); });
    connect(m_calendars, &QComboBox::activated, this, &CalEventPanel::calendarChosen);

    auto* layout = new QGridLayout(this);
    layout->addWidget(m_dateTime, 0, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Title:"), this), 1, 0);
    layout->addWidget(m_title, 1, 1);
    layout->addLayout(alarms, 2, 0, 1, 2);
    layout->addWidget(new QLabel(QStringLiteral("Calendar:"), this), 3, 0);
    layout->addWidget(m_calendars, 3, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    buttons->addWidget(save);
    layout->addLayout(buttons, 4, 0, 1, 2);
}

void CalEventPanel::updateDateTime()
{
    // Shown in the system's zone, as the system's calendars show it.
    const QDateTime date = (m_links.skyDate ? m_links.skyDate() : QDateTime::currentDateTime()).toLocalTime();
    const QLocale locale;
    m_dateTime->setText(locale.toString(date.date(), QLocale::LongFormat) + QLatin1Char(' ') +
                        locale.toString(date.time(), QStringLiteral("hh:mm:ss")));
}

void CalEventPanel::displayDateTime()
{
    updateDateTime();
    fillCalendars();
    show();
    raise();
}

void CalEventPanel::fillCalendars(const QString& selected)
{
    m_calendars->clear();
    const QStringList titles = m_links.store ? m_links.store->calendarTitles() : QStringList();
    if (!titles.isEmpty()) {
        m_calendars->addItems(titles);
        m_calendars->setCurrentIndex(std::max(0, int(titles.indexOf(selected))));
        return;
    }
    m_calendars->addItem(kNoCalendars);
    if (m_links.store) {
        m_calendars->insertSeparator(1);
        m_calendars->addItem(kCreateDefault);
    }
    m_calendars->setCurrentIndex(0);
}

void CalEventPanel::calendarChosen(int index)
{
    if (!hasCalendar() && index > 0 && m_calendars->itemText(index) == kCreateDefault)
        createDefaultCalendar();
}

bool CalEventPanel::createDefaultCalendar()
{
    if (!m_links.store)
        return false;
    const QString reason = m_links.store->createCalendar(kDefaultTitle);
    fillCalendars(kDefaultTitle);
    if (reason.isEmpty())
        return true;
    AlertPanel::runAlert(QStringLiteral("The calendar “%1” could not be created.").arg(kDefaultTitle), reason);
    return false;
}

void CalEventPanel::setAlarmColumn(int column)
{
    if (QAbstractButton* button = m_alarm->button(column))
        button->setChecked(true);
}

void CalEventPanel::buttonAction(int tag)
{
    if (tag == kCancelTag) {
        hide();
        return;
    }
    if (tag != kSaveTag)
        return;
    if (!hasCalendar())
        AlertPanel::runAlert(QStringLiteral("Create a calendar first."),
                             QStringLiteral("The Calendar pop-up can create one named “%1”.").arg(kDefaultTitle));
    else if (!saveEvent())
        AlertPanel::beep();
}

bool CalEventPanel::hasCalendar() const
{
    return m_links.store && !m_links.store->calendarTitles().isEmpty();
}

bool CalEventPanel::saveEvent()
{
    CalendarStore* store = m_links.store;
    if (!hasCalendar())
        return false;
    CalendarEvent event;
    event.start = m_links.skyDate ? m_links.skyDate() : QDateTime::currentDateTime();
    event.end = event.start.addSecs(kEventSeconds);
    event.title = m_title->text();
    const int column = m_alarm->checkedId();
    if (column == kHourBefore || column == kDayBefore) {
        const qint64 lead = column == kHourBefore ? kHourLead : kDayLead;
        const QDateTime now = m_links.now ? m_links.now() : QDateTime::currentDateTimeUtc();
        // An alarm that would already have gone off is left out.
        if (now.secsTo(event.start) >= lead)
            event.alarm = event.start.addSecs(-lead);
    }
    if (!store->saveEvent(m_calendars->currentIndex(), event))
        return false;
    m_title->clear();
    return true;
}
