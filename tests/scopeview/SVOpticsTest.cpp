#include "scopeview/CameraSensor.h"
#include "scopeview/SVOptics.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

SVOptics withScope(float focalLength)
{
    SVOptics optics;
    optics.reset(focalLength, eyepiece{0.0f, 0.0f});
    return optics;
}

TEST(SVOptics, DirectPowerTenGivesFiveDegreesAndOnlyScalingServersMayDownload)
{
    SVOptics optics = withScope(1000.0f);
    optics.setDirectPower(10.0f);
    EXPECT_FLOAT_EQ(optics.fov(), 5.0f);
    EXPECT_FALSE(optics.isConeSearchAllowed());
    for (int server = 0; server <= 12; ++server)
        EXPECT_EQ(optics.isSurveyAllowed(server), server >= 11) << server;
}

TEST(SVOptics, SurveyAndConeSearchLimits)
{
    struct Case {
        float fov;
        bool survey;
        bool cone;
    };
    for (const Case c : {Case{0.96f, true, true}, Case{0.97f, false, true}, Case{2.0f, false, true},
                         Case{2.01f, false, false}}) {
        SVOptics optics;
        optics.setFov(c.fov);
        EXPECT_EQ(optics.isSurveyAllowed(10), c.survey) << c.fov;
        EXPECT_TRUE(optics.isSurveyAllowed(11)) << c.fov;
        EXPECT_EQ(optics.isConeSearchAllowed(), c.cone) << c.fov;
    }
}

TEST(SVOptics, CameraFieldFromTheSensorAndItsZoom)
{
    SVOptics optics = withScope(1000.0f);
    ASSERT_TRUE(optics.selectCamera({50.0f, 100.0f}, CameraSensor::forKind(0)));
    EXPECT_NEAR(optics.fov(), 2.95, 0.005);
    EXPECT_FLOAT_EQ(optics.power(), 20.0f);
    const float fullSize = optics.fov();
    ASSERT_TRUE(optics.selectCamera({50.0f, 200.0f}, CameraSensor::forKind(0)));
    EXPECT_FLOAT_EQ(optics.fov(), 2.0f * fullSize);
    // A smaller sensor draws its frame smaller, so the same zoom shows less sky.
    ASSERT_TRUE(optics.selectCamera({50.0f, 100.0f}, CameraSensor::forKind(2)));
    EXPECT_LT(optics.fov(), fullSize);
}

TEST(SVOptics, CameraKindOutsideTheTableReadsAsFullFrame)
{
    for (int kind : {-1, 3, 1000})
        EXPECT_STREQ(CameraSensor::forKind(kind).title, "Full") << kind;
    EXPECT_STREQ(CameraSensor::forKind(1).title, "APS-C");
    EXPECT_STREQ(CameraSensor::forKind(2).title, "WCAM");
}

// Without a telescope focal length (or an eyepiece's) the power would be 0
// and the field infinite: the choice is refused and the power set before stays.
TEST(SVOptics, NoFocalLengthLeavesTheDirectPower)
{
    struct Case {
        float scopeFL;
        eyepiece slot;
    };
    for (const Case c : {Case{0.0f, {20.0f, 50.0f}}, Case{2000.0f, {0.0f, 50.0f}},
                         Case{2000.0f, {-5.0f, 50.0f}}, Case{2000.0f, {20.0f, 0.0f}}}) {
        SVOptics optics = withScope(c.scopeFL);
        optics.setDirectPower(40.0f);
        EXPECT_FALSE(optics.selectEyepiece(c.slot));
        EXPECT_FALSE(optics.selectCamera(c.slot, CameraSensor::forKind(0)));
        EXPECT_FLOAT_EQ(optics.power(), 40.0f);
        EXPECT_FLOAT_EQ(optics.fov(), 1.25f);
    }
}

TEST(SVOptics, DirectPowerStaysWithinSixAndEightThousand)
{
    struct Case {
        float asked;
        float power;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    for (const Case c : {Case{6.0f, 6.0f}, Case{8000.0f, 8000.0f}, Case{0.0f, 6.0f},
                         Case{-3.0f, 6.0f}, Case{1e9f, 8000.0f}, Case{inf, 8000.0f}, Case{nan, 6.0f}}) {
        SVOptics optics;
        optics.setDirectPower(c.asked);
        EXPECT_FLOAT_EQ(optics.power(), c.power) << c.asked;
        EXPECT_TRUE(std::isfinite(optics.fov())) << c.asked;
    }
    SVOptics six;
    six.setDirectPower(6.0f);
    EXPECT_NEAR(six.fov(), 8.33, 0.005);
}

TEST(SVOptics, SliderShowsTenTimesTheBinaryLogarithm)
{
    EXPECT_NEAR(SVOptics::sliderValue(6.0), 25.85, 0.005);
    EXPECT_NEAR(SVOptics::sliderValue(8000.0), 129.66, 0.005);
    for (double power : {6.0, 10.0, 100.0, 8000.0})
        EXPECT_NEAR(SVOptics::powerOfSlider(SVOptics::sliderValue(power)), power, power * 1e-12);
}

}  // namespace
