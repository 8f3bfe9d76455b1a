#pragma once

#include "chart/painting/MeteorStreak.h"

#include <QObject>
#include <QRectF>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>

class ChartCanvas;
class ChartSkySource;
class PrefSwitches;

// The streaks of the marked meteor shower. A repeating timer at the shower's
// hourly rate launches a streak at the first active radiant; the streak's
// steps advance on a second timer and are painted over the chart by the next
// redraw of the small area they cover, so nothing waits in the event loop.
// The shower timer stops itself at the first tick that finds the meteor
// layer off or no shower active.
class MeteorShowerTimer final : public QObject {
    Q_OBJECT
public:
    // `redraw` asks for the chart area (chart points, y upward) to be painted again.
    MeteorShowerTimer(const PrefSwitches& prefs, std::function<void(const QRectF&)> redraw,
                      MeteorStreak::Random random);

    void setSkySource(const ChartSkySource* source) { m_skySource = source; }

    // The interval between streaks of a shower of this hourly rate; none
    // for a rate of 0 or less, which never shows a streak.
    static std::optional<std::chrono::milliseconds> interval(std::int32_t rate);

    // Starts the shower timer at the rate's interval unless it runs already.
    void startIfIdle(std::int32_t rate);
    bool isMeteorTimer() const { return m_showerTimer.isActive(); }
    std::chrono::milliseconds showerInterval() const { return m_showerTimer.intervalAsDuration(); }

    // The shower timer's tick.
    void showMeteorsTimer();
    // Launches a streak at meteor record `index`.
    void drawMeteor(int index);

    // The streak now showing, and its step; none between streaks.
    const std::optional<MeteorStreak>& streak() const { return m_streak; }
    int streakStep() const { return m_step; }
    // Paints the streak's current segment.
    void paint(ChartCanvas& canvas) const;

private:
    void advance();
    QRectF segmentArea() const;

    const PrefSwitches& m_prefs;
    std::function<void(const QRectF&)> m_redraw;
    MeteorStreak::Random m_random;
    const ChartSkySource* m_skySource = nullptr;
    QTimer m_showerTimer;
    QTimer m_stepTimer;
    std::optional<MeteorStreak> m_streak;
    int m_step = 0;
};
