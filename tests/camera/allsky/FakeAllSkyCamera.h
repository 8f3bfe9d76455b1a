#pragma once

#include "camera/ManualClock.h"
#include "camera/allsky/AllSkyCamera.h"
#include "camera/allsky/AllSkyClock.h"
#include "camera/allsky/AllSkyFrame.h"
#include "camera/allsky/AllSkySchedule.h"

#include <QTimeZone>

#include <algorithm>
#include <functional>
#include <tuple>
#include <vector>

// The all-sky clock in virtual time, from a fixed moment.
class ManualAllSkyClock final : public AllSkyClock {
public:
    QDateTime now() const override { return origin.addMSecs(timers.elapsedMs()); }
    std::unique_ptr<GuideTimer> createTimer() override { return timers.createTimer(); }
    void advance(qint64 ms) { timers.advance(ms); }
    void advanceSeconds(double s) { timers.advance(qint64(s * 1000)); }

    QDateTime origin{QDate(2026, 12, 7), QTime(18, 0), QTimeZone::utc()};
    ManualClock timers;
};

// An all-sky camera that exposes for the time asked and then transfers for
// `transferSeconds`, in the clock's time, telling the schedule as the
// controller does. It keeps what happened for the test to look at.
class FakeAllSkyCamera final : public AllSkyCamera {
public:
    struct Exposure {
        qint64 startMs;
        quint8 type;
        bool duringTransfer;
    };

    explicit FakeAllSkyCamera(ManualAllSkyClock& clock)
        : clock(clock), exposureTimer(clock.createTimer()), transferTimer(clock.createTimer())
    {
    }

    bool startExposure(float seconds, quint8 type) override
    {
        if (refuse || exposing)
            return false;
        exposures.push_back({clock.timers.elapsedMs(), type, transferring});
        exposing = true;
        exposingType = type;
        exposureTimer->start(guideMilliseconds(seconds), false, [this] { exposureDone(); });
        return true;
    }
    bool abortExposure() override
    {
        exposing = false;
        exposureTimer->stop();
        return true;
    }
    bool isIdle() const override { return !exposing && !transferring; }
    quint8 readOutMode() const override { return mode; }
    quint8 imageType() const override { return chosenType; }
    float lastTransferSeconds() const override { return lastTransfer; }
    void setHeater(bool on) override { heater.push_back({clock.timers.elapsedMs(), on}); }
    bool hasDarkFrame() const override { return hasDark; }
    void forgetDarkFrame() override { hasDark = false; }
    bool defineSubFrame(quint16 x, quint16 y, quint8 side) override
    {
        subFrames.push_back({x, y, side});
        return true;
    }

    int count(quint8 type) const
    {
        return int(std::count_if(exposures.begin(), exposures.end(), [type](const auto& e) { return e.type == type; }));
    }

    ManualAllSkyClock& clock;
    AllSkySchedule* schedule = nullptr;
    // What starting the worker does besides counting.
    // Where finished images go instead of straight to the schedule.
    std::function<void(quint8 type)> deliver;
    std::unique_ptr<GuideTimer> exposureTimer;
    std::unique_ptr<GuideTimer> transferTimer;
    std::vector<Exposure> exposures;
    std::vector<std::pair<qint64, bool>> heater;
    std::vector<std::tuple<quint16, quint16, quint8>> subFrames;
    std::vector<quint8> delivered;  // types of the images handed on to be saved
    quint8 mode = AllSkyFrame::kFullMode;
    quint8 chosenType = AllSkyFrame::kLightType;
    float transferSeconds = 3.0F;
    float lastTransfer = -1.0F;
    bool exposing = false;
    bool transferring = false;
    bool refuse = false;
    bool hasDark = false;
    quint8 exposingType = 0;

private:
    void exposureDone()
    {
        exposing = false;
        const quint8 type = exposingType;
        transferring = true;
        if (schedule)
            schedule->exposureEnded();
        transferTimer->start(guideMilliseconds(transferSeconds), false, [this, type] {
            transferring = false;
            lastTransfer = transferSeconds;
            if (type == AllSkyFrame::kDarkType && mode == AllSkyFrame::kFullMode)
                hasDark = true;
            if (deliver)
                deliver(type);
            else if (!(schedule && schedule->imageDownloaded(type)))
                delivered.push_back(type);
        });
    }
};
