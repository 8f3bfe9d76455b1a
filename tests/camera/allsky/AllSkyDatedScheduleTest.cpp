#include "FakeAllSkyCamera.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

// Schedules between a start and a stop date, on a clock that starts at
// 18:00 UTC on 2026-12-07.
class AllSkyDatedSchedule : public ::testing::Test {
protected:
    AllSkyDatedSchedule()
    {
        camera.schedule = &schedule;
        schedule.setExposureSeconds(30.0F);
        schedule.setExpSchedule(120);
    }
    QDateTime at(int hour, int day = 7) const
    {
        return QDateTime(QDate(2026, 12, day), QTime(hour, 0), QTimeZone::utc());
    }
    qint64 msAt(int hour, int day = 7) const { return clock.origin.msecsTo(at(hour, day)); }

    ManualAllSkyClock clock;
    FakeAllSkyCamera camera{clock};
    AllSkySchedule schedule{camera, clock, nullptr, DebugWriter()};
};

TEST_F(AllSkyDatedSchedule, StartDateInThePastStartsAtOnce)
{
    schedule.setKind(AllSkySchedule::Kind::Once);
    schedule.setStartDate(at(17));
    schedule.setStopDate(at(20));
    schedule.runAction();
    ASSERT_EQ(camera.exposures.size(), 1u);
    EXPECT_EQ(camera.exposures[0].startMs, 0);
    EXPECT_TRUE(schedule.hasFiredSchedule());
}

TEST_F(AllSkyDatedSchedule, OnceWaitsForItsStartAndEndsAtItsStop)
{
    QSignalSpy running(&schedule, &AllSkySchedule::runStateChanged);
    QSignalSpy movieStops(&schedule, &AllSkySchedule::movieStopRequested);
    schedule.setKind(AllSkySchedule::Kind::Once);
    schedule.setStartDate(at(19));
    schedule.setStopDate(at(21));
    schedule.runAction();
    clock.advance(msAt(19) - 1);
    EXPECT_TRUE(camera.exposures.empty());
    clock.advance(60001);
    ASSERT_FALSE(camera.exposures.empty());
    EXPECT_LE(camera.exposures[0].startMs, msAt(19) + 60000);
    clock.advance(msAt(21) - clock.timers.elapsedMs() + 60000);
    EXPECT_FALSE(schedule.isScheduleRun());
    ASSERT_EQ(running.count(), 2);
    EXPECT_FALSE(running.last().at(0).toBool());
    EXPECT_EQ(movieStops.count(), 1);
    const std::size_t taken = camera.exposures.size();
    EXPECT_GE(taken, 59u);
    clock.advance(24 * 3600 * 1000LL);
    EXPECT_EQ(camera.exposures.size(), taken);
}

TEST_F(AllSkyDatedSchedule, DailyStopMovesBothDatesAndKeepsRunning)
{
    QSignalSpy dates(&schedule, &AllSkySchedule::datesChanged);
    schedule.setKind(AllSkySchedule::Kind::Daily);
    schedule.setDarkSchedule(3600);
    schedule.setStartDate(at(19));
    schedule.setStopDate(at(22));
    schedule.runAction();
    clock.advance(msAt(21));
    EXPECT_TRUE(camera.hasDark);
    clock.advance(msAt(22) - msAt(21) + 60000);
    ASSERT_EQ(dates.count(), 1);
    EXPECT_EQ(dates.last().at(0).toDateTime(), at(19, 8));
    EXPECT_EQ(dates.last().at(1).toDateTime(), at(22, 8));
    EXPECT_EQ(schedule.startDate(), at(19, 8));
    EXPECT_TRUE(schedule.isScheduleRun());
    EXPECT_FALSE(schedule.hasFiredSchedule());
    // The dark frame is forgotten; the next night begins with a fresh one,
    // at its start date exactly.
    EXPECT_FALSE(camera.hasDark);
    const std::size_t night1 = camera.exposures.size();
    clock.advance(msAt(19, 8) - clock.timers.elapsedMs());
    ASSERT_GT(camera.exposures.size(), night1);
    EXPECT_EQ(camera.exposures[night1].type, AllSkyFrame::kDarkType);
    EXPECT_EQ(camera.exposures[night1].startMs, msAt(19, 8));
}

TEST_F(AllSkyDatedSchedule, DailyStopLongPassedMovesOnToTheNextNightAhead)
{
    schedule.setKind(AllSkySchedule::Kind::Daily);
    schedule.setStartDate(at(12, 4));
    schedule.setStopDate(at(13, 4));
    schedule.runAction();
    clock.advance(61000);
    EXPECT_EQ(schedule.startDate(), at(12, 8));
    EXPECT_EQ(schedule.stopDate(), at(13, 8));
}

TEST_F(AllSkyDatedSchedule, EightHourNightsWithDarksAndHeater)
{
    schedule.setKind(AllSkySchedule::Kind::Daily);
    schedule.setExpSchedule(60);
    schedule.setDarkSchedule(3600);
    schedule.setHeatOnSchedule(600);
    schedule.setHeatOffSchedule(1200);
    schedule.setStartDate(at(20));
    schedule.setStopDate(at(4, 8));
    schedule.runAction();
    clock.advance(3LL * 24 * 3600 * 1000);
    // Three nights of eight hours: 8 darks and about 400 lights each.
    EXPECT_EQ(camera.count(AllSkyFrame::kDarkType), 24);
    EXPECT_GT(camera.count(AllSkyFrame::kLightType), 3 * 380);
    for (const auto& e : camera.exposures) {
        const QTime time = clock.origin.addMSecs(e.startMs).time();
        EXPECT_TRUE(time >= QTime(20, 0) || time < QTime(4, 0)) << e.startMs;
    }
    // The heater is off between the nights.
    for (const auto& [ms, on] : camera.heater) {
        const QTime time = clock.origin.addMSecs(ms).time();
        if (on) {
            EXPECT_TRUE(time >= QTime(20, 0) || time < QTime(4, 0)) << ms;
        }
    }
    EXPECT_FALSE(camera.heater.empty());
    EXPECT_FALSE(camera.heater.back().second);
    EXPECT_TRUE(schedule.isScheduleRun());
}

}  // namespace
