#include "camera/GuideFakes.h"
#include "camera/GuideSky.h"
#include "camera/guide/CalibrationResult.h"
#include "camera/guide/WebcamGuide.h"
#include "support/QStringPrinter.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr double kRadians = 3.14159265358979323846 / 180.0;

enum class Output { Slews, Pulses, Adapter };

GuideSky::Options through(Output output, GuideSky::Options options = {})
{
    options.protocol = output == Output::Pulses ? GuideMount::kPulseProtocol : 1;
    options.adapter = output == Output::Adapter;
    return options;
}

// A guider calibrating on the simulated sky.
class Calibration {
public:
    explicit Calibration(GuideSky::Options options) : sky(clock, options)
    {
        guide.setFrameSource(&sky);
        guide.setMount(&sky);
        guide.setAdapter(&sky);
        guide.setView(&view);
        guide.centroid().setGuideBuff(true);
    }
    // Presses Calibrate and runs until the calibration is over or `limit`
    // seconds have passed; true when it succeeded.
    bool run(double limit = 200)
    {
        guide.guideAction(1, false);
        for (double t = 0; t < limit; t += 0.1) {
            clock.advance(100);
            if (t > 1 && !guide.isCalibrating() && guide.calibrateStep() >= WebcamGuide::kCalCompute)
                break;
        }
        return guide.isCalibrated();
    }
    double angleDegrees() const { return std::atan2(-guide.guideSinA(), guide.guideCosA()) / kRadians; }

    ManualClock clock;
    GuideSky sky;
    RecordingView view;
    WebcamGuide guide{clock};
};

struct Case {
    double angle;
    double skew;
    Output output;
};

class CalibrationRecovers : public ::testing::TestWithParam<Case> {};

TEST_P(CalibrationRecovers, TheAxisAngleAndBothRates)
{
    GuideSky::Options options = through(GetParam().output);
    options.angleDegrees = GetParam().angle;
    options.decSkewDegrees = GetParam().skew;
    options.raRate = 3.0;
    options.decRate = 5.0;
    options.raBacklash = 1.5;
    options.decBacklash = 2.0;
    options.noise = 6;
    Calibration calibration(options);
    ASSERT_TRUE(calibration.run()) << calibration.guide.guideStatus().toStdString();
    EXPECT_NEAR(std::remainder(calibration.angleDegrees() - GetParam().angle, 360.0), 0.0, 1.0);
    EXPECT_NEAR(calibration.guide.xDrive(), 3.0, 0.06);
    EXPECT_NEAR(calibration.guide.yDrive(), 5.0, 0.10);
    EXPECT_EQ(calibration.guide.guideStatus(), "Calibration was successful.");
    EXPECT_EQ(calibration.view.calibrateTitle, "Calibrate");
    EXPECT_TRUE(calibration.view.guideEnabled);
}

INSTANTIATE_TEST_SUITE_P(
    AnglesAndOutputs, CalibrationRecovers,
    ::testing::Values(Case{0, 0, Output::Slews}, Case{45, 0, Output::Slews}, Case{179, 0, Output::Slews},
                      Case{89.8, 0.4, Output::Slews}, Case{90.2, 0, Output::Slews}, Case{0, 0, Output::Pulses},
                      Case{45, 0, Output::Pulses}, Case{179, 0, Output::Pulses}, Case{89.8, 0.4, Output::Pulses},
                      Case{90.2, -0.4, Output::Pulses}, Case{0, 0, Output::Adapter}, Case{45, 0, Output::Adapter},
                      Case{179, 0, Output::Adapter}, Case{89.8, 0.4, Output::Adapter},
                      Case{90.2, 0, Output::Adapter}));

TEST(CalibrationResultTest, DirectionsAcrossHalfATurnAreNotMirrored)
{
    // East along 89.8°, north along 180.2°: B = 179.8° and B0 = −179.8° lie
    // 0.4° apart, not 359.6°.
    const auto along = [](double degrees, float rate) {
        return std::pair{float(rate * std::cos(degrees * kRadians)), float(rate * std::sin(degrees * kRadians))};
    };
    const auto [xX, yX] = along(89.8, 3);
    const auto [xY, yY] = along(180.2, 5);
    EXPECT_NEAR(CalibrationResult::compute(xX, yX, xY, yY).yDrive, 5.0f, 0.01f);
    const auto [mx, my] = along(-0.2, 5);
    EXPECT_NEAR(CalibrationResult::compute(xX, yX, mx, my).yDrive, -5.0f, 0.01f);
    // Along the picture's y axis the RA rate comes from the y velocity.
    EXPECT_FLOAT_EQ(CalibrationResult::compute(0, -2, 4, 0).xDrive, 2.0f);
}

TEST(CalibrationResultTest, RatesAndRatiosOnTheLimitsPass)
{
    using Verdict = CalibrationResult::Verdict;
    EXPECT_EQ(CalibrationResult::compute(0.2f, 0, 0, 0.2f).verdict, Verdict::Accepted);
    EXPECT_EQ(CalibrationResult::compute(300, 0, 0, 300).verdict, Verdict::Accepted);
    EXPECT_EQ(CalibrationResult::compute(1, 0, 0, 4).verdict, Verdict::Accepted);
    EXPECT_EQ(CalibrationResult::compute(4, 0, 0, -1).verdict, Verdict::Accepted);
    EXPECT_EQ(CalibrationResult::compute(0.19f, 0, 0, 0.2f).verdict, Verdict::DriveOutsideBounds);
    EXPECT_EQ(CalibrationResult::compute(1, 0, 0, 301).verdict, Verdict::DriveOutsideBounds);
    EXPECT_EQ(CalibrationResult::compute(1, 0, 0, 4.01f).verdict, Verdict::RatioOutsideBounds);
    EXPECT_EQ(CalibrationResult::compute(4.01f, 0, 0, 1).verdict, Verdict::RatioOutsideBounds);
    const float nan = std::nanf("");
    EXPECT_EQ(CalibrationResult::compute(nan, nan, 0, 1).verdict, Verdict::DriveOutsideBounds);
}

TEST(CalibrationTest, ADriveOfNoSecondsIsRefused)
{
    ScopedAlertRecorder alerts;
    ManualClock clock;
    WebcamGuide guide(clock);
    guide.calTimeAction(1, 0);
    EXPECT_EQ(guide.calTime(), 10);
    EXPECT_EQ(alerts.beeps, 1);
    guide.calTimeAction(1, 3);
    EXPECT_EQ(guide.calTime(), 3);
}

TEST(CalibrationTest, AMirroredDeclinationGivesANegativeRate)
{
    GuideSky::Options options;
    options.angleDegrees = 30;
    options.mirrored = true;
    Calibration calibration(options);
    ASSERT_TRUE(calibration.run());
    EXPECT_NEAR(calibration.guide.yDrive(), -4.0, 0.08);
}

TEST(CalibrationTest, DroppedStarsDuringTheDrivesLeaveTheRatesSound)
{
    GuideSky::Options options = through(Output::Pulses);
    options.angleDegrees = 60;
    Calibration calibration(options);
    // Frames inside the east and the north drive lose their star.
    calibration.sky.dropStars(40, 8);
    calibration.sky.dropStars(200, 8);
    ASSERT_TRUE(calibration.run());
    EXPECT_NEAR(calibration.guide.xDrive(), 4.0, 0.08);
    EXPECT_NEAR(calibration.guide.yDrive(), 4.0, 0.08);
}

TEST(CalibrationTest, AStarLostAtTheEndOfADriveFailsIt)
{
    Calibration calibration(GuideSky::Options{});
    // The east drive's end falls on frames 104 … 106 (2.5 s start, 0.1 s
    // backlash, 10 s drive): all of them without the star.
    calibration.sky.dropStars(100, 200);
    EXPECT_FALSE(calibration.run());
    EXPECT_EQ(calibration.guide.guideStatus(), "Calibration failed");
}

TEST(CalibrationTest, MoreThan600WaitingFramesFail)
{
    GuideSky::Options options = through(Output::Pulses);
    options.frozen = true;
    Calibration calibration(options);
    calibration.guide.guideAction(1, false);
    calibration.clock.advance(5300);
    // The long pulse at the start, then again every 10 waiting frames.
    EXPECT_EQ(calibration.sky.commands.count("pulse e 9999"), 1 + 5);
    calibration.clock.advance(55000);
    EXPECT_TRUE(calibration.guide.isCalibrating());
    calibration.clock.advance(1000);
    EXPECT_FALSE(calibration.guide.isCalibrating());
    EXPECT_EQ(calibration.guide.guideStatus(), "Calibration failed");
    EXPECT_EQ(calibration.sky.commands.mid(calibration.sky.commands.size() - 2),
              (QStringList{"pulse e 30", "pulse n 30"}));
}

TEST(CalibrationTest, CalibratePressedMidwayFailsAndReleasesTheOutputs)
{
    for (Output output : {Output::Slews, Output::Adapter}) {
        Calibration calibration(through(output));
        calibration.guide.guideAction(1, false);
        calibration.clock.advance(5000);
        EXPECT_EQ(calibration.view.calibrateTitle, "Abort");
        calibration.guide.guideAction(1, false);
        calibration.clock.advance(300);
        EXPECT_EQ(calibration.guide.guideStatus(), "Calibration failed");
        EXPECT_FALSE(calibration.guide.isCalibrating());
        EXPECT_EQ(calibration.sky.commands.last(), output == Output::Slews ? "slew 5" : "guide 0.00 0.00");
        const int sent = int(calibration.sky.commands.size());
        calibration.clock.advance(5000);
        EXPECT_EQ(calibration.sky.commands.size(), sent);
    }
}

TEST(CalibrationTest, TheReturnMovesEndHalfASecondAfterTheDriveTime)
{
    Calibration calibration(GuideSky::Options{});
    calibration.guide.guideAction(1, false);
    while (!calibration.guide.isCalibrated())
        calibration.clock.advance(100);
    EXPECT_TRUE(calibration.guide.isCalibrating());
    calibration.clock.advance(10400);
    EXPECT_TRUE(calibration.guide.isCalibrating());
    calibration.clock.advance(200);
    EXPECT_FALSE(calibration.guide.isCalibrating());
    EXPECT_EQ(calibration.sky.commands.mid(calibration.sky.commands.size() - 4),
              (QStringList{"slew 4", "slew 2", "stop 4", "stop 2"}));
}

TEST(CalibrationTest, ANewCalibrationStopsTheGuideTimer)
{
    Calibration calibration(GuideSky::Options{});
    ASSERT_TRUE(calibration.run());
    calibration.guide.guideAction(2, false);
    calibration.clock.advance(300);
    ASSERT_TRUE(calibration.guide.isGuiding());
    calibration.guide.guideAction(1, false);
    calibration.clock.advance(400);
    EXPECT_FALSE(calibration.guide.isGuiding());
    for (int i = 0; i < 2000 && (calibration.guide.isCalibrating() || !calibration.guide.isCalibrated()); ++i)
        calibration.clock.advance(100);
    ASSERT_TRUE(calibration.guide.isCalibrated());
    calibration.guide.guideAction(2, false);
    calibration.clock.advance(300);
    // One guide step every 5 s: one timer runs the loop.
    const qsizetype before = calibration.view.statuses.size();
    calibration.clock.advance(10000);
    EXPECT_EQ(calibration.view.statuses.size() - before, 2);
}

}  // namespace
