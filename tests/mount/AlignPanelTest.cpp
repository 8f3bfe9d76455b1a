#include "MountFixture.h"

#include "mount/panels/AlignPanel.h"

#include <gtest/gtest.h>

class AlignPanelTest : public MountFixture {
protected:
    void SetUp() override
    {
        MountFixture::SetUp();
        panel = std::make_unique<AlignPanel>(
            *prefs, *scope, *skyDate,
            AlignPanel::Finder{[this] { return tracked; }, [this](bool on) { armed = on; }});
    }
    void TearDown() override
    {
        panel.reset();
        MountFixture::TearDown();
    }
    bool marks(bool m3, bool m4, bool m5) const
    {
        return panel->isCheckMarkShown(3) == m3 && panel->isCheckMarkShown(4) == m4
               && panel->isCheckMarkShown(5) == m5;
    }

    PolarAlignment::Star tracked{1.0, 0.2};
    bool armed = false;
    std::unique_ptr<AlignPanel> panel;
};

TEST_F(AlignPanelTest, StepFiveReadsTheMountThroughItsWorkerAndArmsTheNextTrack)
{
    connectScope();
    panel->alignButtonAction(4);
    EXPECT_TRUE(marks(false, false, false));
    panel->alignButtonAction(3);
    tracked = {2.5, -0.4};
    panel->alignButtonAction(4);
    EXPECT_TRUE(marks(true, true, false));
    settle();
    const int polls = family->count("poll");
    family->ra = 2.5 + 0.004;
    family->dec = -0.4 - 0.002;
    panel->alignButtonAction(5);
    ASSERT_TRUE(QTest::qWaitFor([this] { return armed; }, 2000));
    EXPECT_EQ(family->count("poll"), polls + 1);
    EXPECT_TRUE(marks(true, true, true));
    EXPECT_NE(panel->azErrorText(), "Az Error: ----");
    EXPECT_TRUE(panel->calcDelta());
    EXPECT_NEAR(panel->dRA(), 0.004, 1e-9);

    // A new first star clears the later marks and the results.
    panel->alignButtonAction(3);
    EXPECT_TRUE(marks(true, false, false));
    EXPECT_EQ(panel->azErrorText(), "Az Error: ----");
}

TEST_F(AlignPanelTest, StepFiveWhileAPollIsInFlightIsRefused)
{
    connectScope();
    settle();
    family->holdPolls(true);
    scope->setTimerRate(1.0f);
    scope->runScopeTimer();
    ASSERT_TRUE(scope->isPolling());
    panel->alignButtonAction(5);
    ASSERT_FALSE(alerts.alerts.empty());
    EXPECT_EQ(alerts.alerts.back().title, "Scope communication is busy.");
    EXPECT_EQ(alerts.alerts.back().message, "Try again!");
    EXPECT_EQ(alerts.beeps, 1);
    family->holdPolls(false);
}

TEST_F(AlignPanelTest, TwoStarsAtOnePlaceGiveTheDeterminantAlertAndArmNothing)
{
    connectScope();
    panel->alignButtonAction(3);
    panel->alignButtonAction(4);
    settle();
    panel->alignButtonAction(5);
    ASSERT_TRUE(QTest::qWaitFor([this] { return !alerts.alerts.empty(); }, 2000));
    EXPECT_EQ(alerts.alerts.back().title, "Can not calculate determinant.");
    EXPECT_FALSE(armed);
    EXPECT_FALSE(panel->isCheckMarkShown(5));
}
