#include "chart/panels/TimeControlPanel.h"

#include "chart/ChartOutlets.h"
#include "chart/UpdateChain.h"
#include "chart/controls/SkyTimeControl.h"
#include "chart/panels/GregorianReform.h"
#include "model/SkyDateModel.h"
#include "model/settings/PrefControl.h"
#include "platform/AppTimeZone.h"
#include "platform/widgets/EditingFinished.h"
#include "scopeview/ScopeViewWindow.h"

#include <QDateTimeEdit>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include <cmath>

namespace {

struct Step {
    int tag;
    double seconds;
    const char* label;
    const char* toolTip;
};
// 86160 s is the sidereal day as the program has always taken it.
constexpr Step kSteps[] = {
    {TimeControlPanel::Second, 1.0, "S", "Change the time by one second"},
    {TimeControlPanel::HalfMinute, 30.0, "", "Change the time by 30 seconds (1/2 minute)"},
    {TimeControlPanel::Minute, 60.0, "M", "Change the time by one minute"},
    {TimeControlPanel::HalfHour, 1800.0, "", "Change the time by 30 minutes (1/2 hour)"},
    {TimeControlPanel::Hour, 3600.0, "H", "Change the time by one hour"},
    {TimeControlPanel::Day, 86400.0, "D", "Change the time by one day"},
    {TimeControlPanel::SiderealDay, 86160.0, "SD", "Change the time by one siderial day"},
};
const char* const kRealTimeTip = "Set to real time";
const char* const kStartupTimeTip = "Set to the startup date and time";
// Characters of the longest Julian day shown (16 digits and the point) and
// the frame around them, points.
constexpr int kJulianDayWidth = 17;
constexpr int kFieldMargin = 16;
const char* const kJulianDayTip = "Enter the date/time as a Julian Day number";
constexpr double kClockStep = 60.0;
constexpr double kStepForward = 1.0;

const Step* stepOf(int tag)
{
    for (const Step& step : kSteps)
        if (step.tag == tag)
            return &step;
    return nullptr;
}

QString toolTipOf(int tag)
{
    if (const Step* step = stepOf(tag))
        return QString::fromLatin1(step->toolTip);
    if (tag == TimeControlPanel::RealTime)
        return QString::fromLatin1(kRealTimeTip);
    if (tag == TimeControlPanel::StartupTime)
        return QString::fromLatin1(kStartupTimeTip);
    return QString::fromLatin1(kJulianDayTip);
}

QDateTime wholeSeconds(const QDateTime& moment)
{
    return moment.addMSecs(-(moment.toMSecsSinceEpoch() % 1000 + 1000) % 1000);
}

}  // namespace

TimeControlPanel::TimeControlPanel(PrefControl& prefs, SkyTimeControl& time, const ChartOutlets& outlets,
                                   UpdateChain& chain, QWidget* parent)
    : FloatingControlPanel(prefs, tr("Date/Time"), [&prefs] { prefs.setIsTimePanel(); }, parent),
      m_time(time),
      m_outlets(outlets),
      m_chain(chain),
      m_now([] { return QDateTime::currentDateTimeUtc(); }),
      m_datePick(new QDateTimeEdit(this)),
      m_julianDay(new QLineEdit(this))
{
    auto* layout = new QGridLayout(this);
    int row = 0;
    for (const Step& step : kSteps)
        addStepper(step.tag, tr(step.label), row++);
    for (const auto& [tag, title] : {std::pair{int(RealTime), "R/T"}, std::pair{int(StartupTime), "S/T"}}) {
        auto* button = new QPushButton(tr(title), this);
        // Return in a field commits that field only, never the clock buttons.
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, tag = tag] { timeControlAction(tag); });
        m_controls.emplace_back(button, tag);
        layout->addWidget(button, row++, 0, 1, 3);
    }
    m_datePick->setCalendarPopup(true);
    // The field holds the program's wall clock; UTC keeps the machine's zone out.
    m_datePick->setTimeSpec(Qt::UTC);
    m_datePick->setDisplayFormat(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    m_datePick->setMinimumDate(QDate(1582, 10, 15));
    m_datePick->setMinimumWidth(m_datePick->sizeHint().width());
    layout->addWidget(m_datePick, row++, 0, 1, 3);
    layout->addWidget(new QLabel(tr("Julian Day:"), this), row, 0);
    // Room for every digit the field shows.
    m_julianDay->setMinimumWidth(m_julianDay->fontMetrics().horizontalAdvance(QString(kJulianDayWidth, '0')) +
                                 kFieldMargin);
    layout->addWidget(m_julianDay, row, 1, 1, 2);
    m_controls.emplace_back(m_julianDay, 0);

    EditingFinished::connect(m_datePick, this, &TimeControlPanel::datePickerAction);
    EditingFinished::connect(m_julianDay, this, &TimeControlPanel::julianDayEntry);
    setClockInterval(kClockIntervalMs);
    m_realTimeTimer.setTimerType(Qt::PreciseTimer);
    m_setTimeTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_realTimeTimer, &QTimer::timeout, this, &TimeControlPanel::runRealTimeTimer);
    connect(&m_setTimeTimer, &QTimer::timeout, this, &TimeControlPanel::runSetTimeTimer);
}

void TimeControlPanel::addStepper(int tag, const QString& label, int row)
{
    auto* layout = static_cast<QGridLayout*>(this->layout());
    layout->addWidget(new QLabel(label, this), row, 0);
    for (const auto& [arrow, value, column] : {std::tuple{Qt::UpArrow, kStepForward, 1}, std::tuple{Qt::DownArrow, -1.0, 2}}) {
        auto* button = new QToolButton(this);
        button->setArrowType(arrow);
        connect(button, &QToolButton::clicked, this, [this, tag, value = value] { timeControlAction(tag, value); });
        m_controls.emplace_back(button, tag);
        layout->addWidget(button, row, column);
    }
}

void TimeControlPanel::setClockInterval(int ms)
{
    m_realTimeTimer.setInterval(ms);
    m_setTimeTimer.setInterval(ms);
}

void TimeControlPanel::timeControlAction(int tag, double stepperValue)
{
    if (!m_time.permitsTimeChange())
        return;
    if (m_prefs.isRunRealTime())
        m_prefs.setIsRunRealTime(false, false);
    SkyDateModel& skyDate = m_time.skyDate();
    if (const Step* step = stepOf(tag)) {
        skyDate.calculateDate(std::nullopt, stepperValue == kStepForward ? step->seconds : -step->seconds);
    } else if (tag == RealTime) {
        skyDate.calculateDate(m_now(), 0.0);
        m_julianDay->setEnabled(true);
    } else if (tag == StartupTime) {
        skyDate.resetDateTime();
        setEntryEnabled(true);
    }
    refreshChart();
    setupDate();
}

void TimeControlPanel::setRunRealTime()
{
    // Real time takes over from the run-set-time clock.
    if (m_prefs.isRunSetTime())
        m_prefs.setIsRunSetTime();
    m_setTimeTimer.stop();
    m_realTimeTimer.start();
    runRealTimeTimer();
    setEntryEnabled(false);
}

void TimeControlPanel::runRealTimeTimer()
{
    if (!m_prefs.isRunRealTime()) {
        m_realTimeTimer.stop();
        setEntryEnabled(true);
        return;
    }
    m_time.skyDate().calculateDate(m_now(), 0.0);
    refreshChart();
    setupDate();
}

void TimeControlPanel::setRunSetTime()
{
    if (m_prefs.isRunRealTime())
        return;
    m_setTimeTimer.start();
    runSetTimeTimer();
}

void TimeControlPanel::runSetTimeTimer()
{
    if (!m_prefs.isRunSetTime() || m_prefs.isRunRealTime()) {
        m_setTimeTimer.stop();
        return;
    }
    m_time.skyDate().calculateDate(std::nullopt, kClockStep);
    refreshChart();
    setupDate();
}

void TimeControlPanel::setupDate()
{
    m_tcpDate = wholeSeconds(m_time.skyDate().skyDate());
    if (!isBeforeGregorianReform(m_tcpDate))
        m_datePick->setDateTime(AppTimeZone::wallClock(m_tcpDate));
    m_tcpJulianDay = SkyDateModel::julianDayOf(m_tcpDate);
    updateJulian();
    if (m_outlets.svWindow && m_outlets.svWindow->isWindowVisible())
        m_outlets.svWindow->display();
}

void TimeControlPanel::updateJulian()
{
    m_julianDay->setText(QString::number(m_tcpJulianDay, 'g', 16));
    m_datePick->setEnabled(!isBeforeGregorianReform(m_tcpDate) && !m_prefs.isRunRealTime());
}

void TimeControlPanel::datePickerAction()
{
    const QDateTime picked = wholeSeconds(AppTimeZone::fromWallClock(m_datePick->dateTime()));
    if (picked == m_tcpDate)
        return;
    if (!m_time.setDate(picked)) {
        updateJulian();
        m_datePick->setDateTime(AppTimeZone::wallClock(m_tcpDate));
        return;
    }
    m_tcpDate = picked.toUTC();
    m_tcpJulianDay = SkyDateModel::julianDayOf(m_tcpDate);
    updateJulian();
    refreshChart();
    if (m_outlets.svWindow && m_outlets.svWindow->isWindowVisible())
        m_outlets.svWindow->display();
}

void TimeControlPanel::julianDayEntry()
{
    bool isNumber = false;
    const double jd = m_julianDay->text().trimmed().toDouble(&isNumber);
    const bool inRange = isNumber && std::isfinite(jd) && jd >= kMinJulianDay && jd <= kMaxJulianDay;
    if (!inRange) {
        m_time.beep();
        updateJulian();
        return;
    }
    if (jd == m_tcpJulianDay)
        return;
    const QDateTime moment = m_time.skyDate().calculateJulian(jd);
    if (!m_time.setDate(moment)) {
        updateJulian();
        return;
    }
    m_tcpJulianDay = jd;
    m_tcpDate = moment;
    if (!isBeforeGregorianReform(moment))
        m_datePick->setDateTime(AppTimeZone::wallClock(moment));
    updateJulian();
    refreshChart();
}

void TimeControlPanel::setEntryEnabled(bool enabled)
{
    m_datePick->setEnabled(enabled && !isBeforeGregorianReform(m_tcpDate));
    m_julianDay->setEnabled(enabled);
}

void TimeControlPanel::refreshChart() { m_chain.updateView(); }

void TimeControlPanel::setToolTips()
{
    for (const auto& [control, tag] : m_controls)
        control->setToolTip(toolTipOf(tag));
}

void TimeControlPanel::clearToolTips()
{
    for (const auto& [control, tag] : m_controls)
        control->setToolTip(QString());
}

void TimeControlPanel::orderFront()
{
    show();
    raise();
}
