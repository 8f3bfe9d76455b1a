#include "FakeAllSkyCamera.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace {

class AllSkyScheduleTest : public ::testing::Test {
protected:
    AllSkyScheduleTest()
    {
        camera.schedule = &schedule;
        schedule.setExposureSeconds(30.0F);
    }

    ManualAllSkyClock clock;
    FakeAllSkyCamera camera{clock};
    AllSkySchedule schedule{camera, clock, nullptr, DebugWriter()};
};

TEST_F(AllSkyScheduleTest, RunWithoutExposuresOrHeaterDoesNothing)
{
    QSignalSpy running(&schedule, &AllSkySchedule::runStateChanged);
    schedule.setDarkSchedule(600);
    schedule.runAction();
    clock.advanceSeconds(3600);
    EXPECT_FALSE(schedule.isScheduleRun());
    EXPECT_EQ(running.count(), 0);
    EXPECT_TRUE(camera.exposures.empty());
    EXPECT_TRUE(camera.heater.empty());
}

TEST_F(AllSkyScheduleTest, DarkFrameComesFirstAndTheLightTickWaitsTenSeconds)
{
    schedule.setExpSchedule(120);
    schedule.setDarkSchedule(3600);
    schedule.runAction();
    ASSERT_EQ(camera.exposures.size(), 1u);
    EXPECT_EQ(camera.exposures[0].type, AllSkyFrame::kDarkType);
    EXPECT_TRUE(schedule.isExpBlock());
    // The dark frame takes 33 s: the light tick retries at 10, 20, 30 s and
    // exposes at 40 s.
    clock.advanceSeconds(39.9);
    EXPECT_EQ(camera.exposures.size(), 1u);
    clock.advanceSeconds(0.2);
    ASSERT_EQ(camera.exposures.size(), 2u);
    EXPECT_EQ(camera.exposures[1].type, AllSkyFrame::kLightType);
    EXPECT_EQ(camera.exposures[1].startMs, 40000);
    EXPECT_FALSE(schedule.isExpBlock());
    EXPECT_TRUE(camera.hasDark);
    // The dark frame is kept, not handed on to be saved.
    clock.advanceSeconds(40);
    EXPECT_EQ(camera.delivered, std::vector<quint8>{AllSkyFrame::kLightType});
}

TEST_F(AllSkyScheduleTest, CropBinnedAndSubFrameModesTakeNoDarks)
{
    schedule.setExpSchedule(60);
    schedule.setDarkSchedule(600);
    for (quint8 mode : {AllSkyFrame::kCropMode, AllSkyFrame::kBinnedMode, AllSkyFrame::kSubFrameMode}) {
        camera.mode = mode;
        schedule.runAction();
        clock.advanceSeconds(1800);
        schedule.runAction();
        clock.advanceSeconds(60);
    }
    EXPECT_EQ(camera.count(AllSkyFrame::kDarkType), 0);
    EXPECT_GT(camera.count(AllSkyFrame::kLightType), 60);
}

TEST_F(AllSkyScheduleTest, StopLetsTheRunningExposureFinishAndBeDelivered)
{
    schedule.setExpSchedule(60);
    schedule.runAction();
    clock.advanceSeconds(5);
    schedule.runAction();
    EXPECT_FALSE(schedule.isScheduleRun());
    clock.advanceSeconds(600);
    EXPECT_EQ(camera.exposures.size(), 1u);
    EXPECT_EQ(camera.delivered.size(), 1u);
}

TEST_F(AllSkyScheduleTest, FailedExposureIsReportedAndTheNextTickTriesAgain)
{
    QSignalSpy status(&schedule, &AllSkySchedule::statusChanged);
    schedule.setExpSchedule(60);
    camera.refuse = true;
    schedule.runAction();
    ASSERT_FALSE(status.isEmpty());
    EXPECT_EQ(status.last().at(0).toString(), "Expose failed");
    camera.refuse = false;
    clock.advanceSeconds(60);
    EXPECT_EQ(camera.exposures.size(), 1u);
}

TEST_F(AllSkyScheduleTest, HeaterAlternatesOffThenOn)
{
    schedule.setHeatOnSchedule(600);
    schedule.setHeatOffSchedule(1200);
    schedule.runAction();
    clock.advanceSeconds(1200 + 600 + 1200 + 600 + 1);
    ASSERT_EQ(camera.heater.size(), 4u);
    EXPECT_EQ(camera.heater[0], std::make_pair(qint64(1200000), true));
    EXPECT_EQ(camera.heater[1], std::make_pair(qint64(1800000), false));
    EXPECT_EQ(camera.heater[2], std::make_pair(qint64(3000000), true));
    EXPECT_EQ(camera.heater[3], std::make_pair(qint64(3600000), false));
    // STOP with the heater on switches it off at the next half second.
    clock.advanceSeconds(1200);
    ASSERT_TRUE(schedule.isHeating());
    schedule.runAction();
    clock.advanceSeconds(0.5);
    EXPECT_FALSE(schedule.isHeating());
    EXPECT_FALSE(camera.heater.back().second);
}

TEST_F(AllSkyScheduleTest, HeaterChangesWaitForAnIdleCamera)
{
    schedule.setExpSchedule(60);
    schedule.setHeatOnSchedule(600);
    schedule.setHeatOffSchedule(45);
    schedule.setExposureSeconds(50);
    schedule.runAction();
    clock.advanceSeconds(3600);
    ASSERT_FALSE(camera.heater.empty());
    for (const auto& [ms, on] : camera.heater)
        for (const auto& e : camera.exposures)
            EXPECT_FALSE(ms > e.startMs && ms < e.startMs + 53000) << ms;
    // The check box forces the heater when the camera is next idle.
    schedule.runAction();
    schedule.heaterCheckbox(true);
    clock.advanceSeconds(120);
    EXPECT_TRUE(schedule.isHeating());
}

TEST_F(AllSkyScheduleTest, ContinuousExposureExposesDuringEachTransfer)
{
    schedule.setExpSchedule(1.0F);
    schedule.setExposureSeconds(10.0F);
    camera.transferSeconds = 3.0F;
    schedule.runAction();
    clock.advanceSeconds(120);
    ASSERT_GT(camera.exposures.size(), 8u);
    // The first transfer's time is not known yet; every later exposure
    // begins as the one before is read out.
    for (std::size_t i = 2; i < camera.exposures.size(); ++i)
        EXPECT_TRUE(camera.exposures[i].duringTransfer) << i;
    EXPECT_TRUE(schedule.isAllSkyConstExp());
    // A stopped schedule stops exposing by itself.
    schedule.runAction();
    const std::size_t taken = camera.exposures.size();
    clock.advanceSeconds(120);
    EXPECT_LE(camera.exposures.size(), taken);
}

TEST_F(AllSkyScheduleTest, ShortExposuresAreNotContinuous)
{
    schedule.setExpSchedule(1.0F);
    schedule.setExposureSeconds(4.0F);
    schedule.runAction();
    clock.advanceSeconds(120);
    for (const auto& e : camera.exposures)
        EXPECT_FALSE(e.duringTransfer);
}

TEST_F(AllSkyScheduleTest, StopGivesUpADarkFrameNotYetBegunSoTheHeaterGoesOff)
{
    schedule.heaterCheckbox(true);
    clock.advanceSeconds(0.5);
    ASSERT_TRUE(schedule.isHeating());
    // A hand-started exposure keeps the camera busy when the dark falls due.
    ASSERT_TRUE(camera.startExposure(30, AllSkyFrame::kLightType));
    schedule.setExpSchedule(60);
    schedule.setDarkSchedule(600);
    schedule.runAction();
    ASSERT_TRUE(schedule.isExpBlock());
    schedule.runAction();
    clock.advanceSeconds(40);
    EXPECT_FALSE(schedule.isExpBlock());
    EXPECT_FALSE(schedule.isHeating());
    EXPECT_EQ(camera.count(AllSkyFrame::kDarkType), 0);
}

}  // namespace
