#pragma once

#include "camera/guide/GuideClock.h"

#include <algorithm>
#include <set>

// The guider's clock in virtual time: timers fire, in time order, only as a
// test advances the clock.
class ManualClock final : public GuideClock {
public:
    qint64 elapsedMs() const override { return m_now; }
    std::unique_ptr<GuideTimer> createTimer() override { return std::make_unique<Timer>(*this); }

    // Moves time on by `milliseconds`, firing every timer that falls due.
    void advance(qint64 milliseconds)
    {
        const qint64 end = m_now + milliseconds;
        while (Timer* next = nextDue(end)) {
            m_now = next->due;
            if (next->repeating)
                next->due += std::max(next->interval, 1);
            else
                next->active = false;
            const std::function<void()> fire = next->fire;
            fire();
        }
        m_now = end;
    }

private:
    struct Timer final : GuideTimer {
        explicit Timer(ManualClock& clock) : clock(clock) { clock.m_timers.insert(this); }
        ~Timer() override { clock.m_timers.erase(this); }
        void start(int milliseconds, bool repeat, std::function<void()> handler) override
        {
            interval = milliseconds;
            due = clock.m_now + milliseconds;
            repeating = repeat;
            fire = std::move(handler);
            active = true;
            order = ++clock.m_starts;
        }
        void stop() override { active = false; }
        bool isActive() const override { return active; }

        ManualClock& clock;
        qint64 due = 0;
        int interval = 0;
        bool repeating = false;
        bool active = false;
        quint64 order = 0;
        std::function<void()> fire;
    };

    Timer* nextDue(qint64 end) const
    {
        Timer* best = nullptr;
        for (Timer* timer : m_timers) {
            if (timer->active && timer->due <= end
                && (!best || timer->due < best->due || (timer->due == best->due && timer->order < best->order)))
                best = timer;
        }
        return best;
    }

    qint64 m_now = 0;
    quint64 m_starts = 0;
    std::set<Timer*> m_timers;
};
