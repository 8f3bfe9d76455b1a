#include "focus/MoonLiteCompensation.h"
#include "focus/MoonLiteProtocol.h"

#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

using namespace MoonLiteProtocol;

TEST(MoonLiteProtocolTest, NumbersGoOutAsUpperCaseHexInColonCommands)
{
    EXPECT_EQ(withNumber("SN", 4660, 4), ":SN1234#");
    EXPECT_EQ(withNumber("SP", 0, 4), ":SP0000#");
    EXPECT_EQ(withNumber("SN", 0xBEEF, 4), ":SNBEEF#");
    EXPECT_EQ(withNumber("SD", 8, 2), ":SD08#");
    EXPECT_EQ(command("GP"), ":GP#");
    EXPECT_EQ(setTempCoeff(-10), ":SC0A#");
    EXPECT_EQ(setTempCoeff(10), ":SCF6#");
}

TEST(MoonLiteProtocolTest, OnlyWholeRepliesAreRead)
{
    EXPECT_EQ(number(QByteArray("BEEF#"), 4), 0xBEEF);
    EXPECT_EQ(number(QByteArray("beef#"), 4), 0xBEEF);
    EXPECT_EQ(number(QByteArray("BEE"), 4), std::nullopt);       // short
    EXPECT_EQ(number(QByteArray("BEEF"), 4), std::nullopt);      // no "#"
    EXPECT_EQ(number(QByteArray("BEEFX"), 4), std::nullopt);
    EXPECT_EQ(number(QByteArray("0G12#"), 4), std::nullopt);     // not hexadecimal
    EXPECT_EQ(number(QByteArray(":2#1#"), 4), std::nullopt);
    EXPECT_EQ(number(std::nullopt, 4), std::nullopt);

    // The temperature is signed: below 0 °C the controller sends two's complement.
    EXPECT_FLOAT_EQ(*temperature(QByteArray("0032#")), 25.0f);
    EXPECT_FLOAT_EQ(*temperature(QByteArray("FFFE#")), -1.0f);
    EXPECT_FLOAT_EQ(*temperature(QByteArray("7FFF#")), 16383.5f);
    EXPECT_EQ(temperature(QByteArray("FFF#")), std::nullopt);

    EXPECT_EQ(tempCoeff(QByteArray("05#")), -10);
    EXPECT_EQ(tempCoeff(QByteArray("FB#")), 10);
    EXPECT_EQ(isMoving(QByteArray("01#")), true);
    EXPECT_EQ(isMoving(QByteArray("00#")), false);
    EXPECT_EQ(isMoving(QByteArray("01")), std::nullopt);
    EXPECT_EQ(isHalfStep(QByteArray("FF#")), true);
    EXPECT_EQ(version(QByteArray("12#")), QByteArray("1.2"));
    EXPECT_EQ(version(QByteArray("1A#")), std::nullopt);
}

TEST(MoonLiteProtocolTest, LearningGivesStepsPerDegreeOfCooling)
{
    EXPECT_FLOAT_EQ(*MoonLiteCompensation::learnedSlope(10.0f, 5000, 7.5f, 5100), 40.0f);
    EXPECT_FLOAT_EQ(*MoonLiteCompensation::learnedSlope(10.0f, 5000, 8.0f, 4900), -50.0f);
    EXPECT_EQ(MoonLiteCompensation::learnedSlope(10.0f, 5000, 9.5f, 5100), std::nullopt);
    EXPECT_EQ(MoonLiteCompensation::learnedSlope(10.0f, 5000, 12.0f, 5100), std::nullopt);
}

TEST(MoonLiteProtocolTest, CompensationMovesOnlyWholeStepsWithinTheTravel)
{
    using MoonLiteCompensation::Step;
    EXPECT_EQ(MoonLiteCompensation::step(10.0f, 10.0f, 40.0f, 5000, 65535).outcome, Step::SmallDelta);
    const Step fall = MoonLiteCompensation::step(10.0f, 9.5f, 40.0f, 5000, 65535);
    EXPECT_EQ(fall.outcome, Step::Move);
    EXPECT_EQ(fall.steps, 20);
    EXPECT_EQ(fall.target, 5020);
    EXPECT_EQ(MoonLiteCompensation::step(10.0f, 9.5f, 3.0f, 5000, 65535).outcome, Step::SmallSteps);
    EXPECT_EQ(MoonLiteCompensation::step(10.0f, 10.5f, 40.0f, 10, 65535).outcome, Step::BelowZero);
    EXPECT_EQ(MoonLiteCompensation::step(10.0f, 9.5f, 40.0f, 5000, 5010).outcome, Step::AboveMax);
    // A huge slope saturates rather than wrapping round.
    EXPECT_EQ(MoonLiteCompensation::step(10.0f, 0.0f, 1e6f, 100, 65535).steps, 32767);
}

TEST(MoonLiteProtocolTest, TheStarBoxKeepsTheSearchInsideTheBox)
{
    EXPECT_EQ(MoonLiteStarBox::largestRadius({60, 60}), 60);
    EXPECT_EQ(MoonLiteStarBox::largestRadius({10, 60}), 10);
    EXPECT_EQ(MoonLiteStarBox::largestRadius({30, 30}), 15);
    EXPECT_EQ(MoonLiteStarBox::largestRadius({12.7, 30}), 12);
    EXPECT_EQ(MoonLiteStarBox::largestRadius({30, 114.5}), 5);

    ScopedAlertRecorder alerts;
    const StarBoxRule rule = MoonLiteStarBox::rule();
    EXPECT_EQ(rule.boxSize, 120);
    EXPECT_EQ(rule.largestRadius(QPointF(30, 30)), 15);
    EXPECT_EQ(alerts.beeps, 0);
    EXPECT_EQ(rule.largestRadius(QPointF(5, 30)), 5);
    EXPECT_EQ(alerts.beeps, 1);
    EXPECT_EQ(rule.largestRadius(QPointF(0.2, 30)), 1);
}
