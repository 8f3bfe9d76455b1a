#pragma once

#include <QDateTime>

#include <functional>

class PrefControl;
class SkyDateModel;
struct ChartOutlets;

// The one way the chart's controls change the sky date. While a mount is
// connected every change is refused with the system beep, so the chart's
// time cannot move away from the telescope's, whichever control asked.
class SkyTimeControl {
public:
    SkyTimeControl(PrefControl& prefs, SkyDateModel& skyDate, const ChartOutlets& outlets);

    // The sound of a refusal; the system beep unless replaced.
    void setBeep(std::function<void()> beep) { m_beep = std::move(beep); }

    // The refusal's sound, for other refused input too.
    void beep() { m_beep(); }
    // False, after the beep, while a mount is connected.
    bool permitsTimeChange();
    // A step of the time keys, steppers and wheel: stops the real-time
    // clock, moves the sky date by `seconds` and refills the time panel's
    // date fields. False when refused.
    bool step(double seconds);
    // A date typed or picked: the sky date becomes `date`. The real-time
    // clock is left running, so its next tick replaces the date. False when
    // refused.
    bool setDate(const QDateTime& date);

    SkyDateModel& skyDate() { return m_skyDate; }

private:
    PrefControl& m_prefs;
    SkyDateModel& m_skyDate;
    const ChartOutlets& m_outlets;
    std::function<void()> m_beep;
};
