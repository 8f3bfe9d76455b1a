#pragma once

#include "chart/TimePanel.h"
#include "chart/panels/FloatingControlPanel.h"

#include <QDateTime>
#include <QTimer>

#include <functional>
#include <vector>

class QDateTimeEdit;
class QLineEdit;
class QToolButton;
class SkyTimeControl;
class UpdateChain;
struct ChartOutlets;

// The "Date/Time" panel: steppers that move the sky date by fixed steps,
// buttons for the system time and the start-up time, a date picker and a
// Julian-day field; and the chart's two clocks, the real-time clock (the sky
// date follows the system time) and the run-set-time clock (the sky date
// advances a minute a minute). Each clock is one timer, restarted when it
// is started again, and the two never run at once.
class TimeControlPanel final : public FloatingControlPanel, public TimePanel {
    Q_OBJECT
public:
    // The controls' tags.
    enum Tag { Second = 1, Minute, Hour, Day, SiderealDay, RealTime, StartupTime, HalfMinute, HalfHour };
    static constexpr int kClockIntervalMs = 60000;
    // The Julian days the field takes: 4713 B.C.E. January 1 to the end of 9999.
    static constexpr double kMinJulianDay = 0.0;
    static constexpr double kMaxJulianDay = 5373484.5;

    TimeControlPanel(PrefControl& prefs, SkyTimeControl& time, const ChartOutlets& outlets, UpdateChain& chain,
                     QWidget* parent = nullptr);

    // Where "now" comes from and how often the clocks tick (for tests).
    void setClock(std::function<QDateTime()> now) { m_now = std::move(now); }
    void setClockInterval(int ms);

    // A step or set control: `stepperValue` 1.0 steps forward, anything
    // else back. Refused with a beep while a mount is connected.
    void timeControlAction(int tag, double stepperValue = 1.0);
    void setRunRealTime() override;
    void setRunSetTime() override;
    void setupDate() override;
    // The date picked or the Julian day typed; refused with a beep while a
    // mount is connected, and a Julian day that is not a number in the
    // supported range is refused and the field shows the sky date's again.
    void datePickerAction();
    void julianDayEntry();

    bool isRealTimeClockRunning() const { return m_realTimeTimer.isActive(); }
    bool isSetTimeClockRunning() const { return m_setTimeTimer.isActive(); }
    QDateTimeEdit& datePick() { return *m_datePick; }
    QLineEdit& julianDay() { return *m_julianDay; }

    void setHide(bool hide) override { applyHide(hide); }
    void setToolTips() override;
    void clearToolTips() override;
    void orderFront() override;
    void orderOut() override { hide(); }
    bool isPanelVisible() const override { return isVisible(); }
    void setTransparency() override { applyTransparency(); }

private:
    void runRealTimeTimer();
    void runSetTimeTimer();
    void updateJulian();
    void setEntryEnabled(bool enabled);
    void refreshChart();
    void addStepper(int tag, const QString& label, int row);

    SkyTimeControl& m_time;
    const ChartOutlets& m_outlets;
    UpdateChain& m_chain;
    std::function<QDateTime()> m_now;
    QTimer m_realTimeTimer;
    QTimer m_setTimeTimer;
    QDateTimeEdit* m_datePick;
    QLineEdit* m_julianDay;
    std::vector<std::pair<QWidget*, int>> m_controls;
    QDateTime m_tcpDate;
    double m_tcpJulianDay = 0.0;
};
