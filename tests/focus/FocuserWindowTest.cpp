#include "FocuserFixture.h"

#include "focus/views/FocusCurveView.h"
#include "focus/views/FocuserWindow.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

class FocuserWindowTest : public FocuserFixture {
protected:
    void SetUp() override
    {
        FocuserFixture::SetUp();
        window = std::make_unique<FocuserWindow>("Probe");
        makeFrame(*window, *window);
        window->attach(*frame);
    }
    void TearDown() override
    {
        frame.reset();
        window.reset();
        FocuserFixture::TearDown();
    }

    std::unique_ptr<FocuserWindow> window;
};

TEST_F(FocuserWindowTest, TheAutofocusTabIsRefusedWithoutFocuserOrCamera)
{
    EXPECT_FALSE(window->selectTab(FocuserFrame::kAutoFocusTab));
    EXPECT_EQ(window->currentTab(), FocuserWindow::kFocuserTab);
    EXPECT_EQ(alerts.beeps, 1);

    toggleConnect();
    ASSERT_TRUE(frame->isFocuserConnected());
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->statusField()->text(), "Connected");
    EXPECT_FALSE(window->selectTab(FocuserFrame::kAutoFocusTab));

    cameras.setWebcam(&webcam);
    EXPECT_TRUE(window->selectTab(FocuserFrame::kAutoFocusTab));
    EXPECT_EQ(window->currentTab(), FocuserFrame::kAutoFocusTab);
    // A model's tab joins under the same guard.
    window->addTab(new QLabel("t"), "Temperature", FocuserFrame::kTemperatureTab);
    frame->temperatureGood = false;
    EXPECT_FALSE(window->selectTab(FocuserFrame::kTemperatureTab));
    EXPECT_EQ(window->currentTab(), FocuserFrame::kAutoFocusTab);
}

TEST_F(FocuserWindowTest, TheRunShowsOnTheAutofocusTab)
{
    cameras.setWebcam(&webcam);
    toggleConnect();
    window->startButton()->click();
    EXPECT_EQ(window->startButton()->text(), "Abort");
    EXPECT_TRUE(frame->autoFocus().isRun());
    window->startButton()->click();
    EXPECT_EQ(window->startButton()->text(), "Start");
    EXPECT_FALSE(frame->autoFocus().isRun());

    window->showFocusResult(42, 3.14f);
    EXPECT_EQ(window->bestFocusField()->text(), "0042");
    EXPECT_EQ(window->rmsField()->text(), "3.1");
    EXPECT_NE(window->curveView(), nullptr);
}

TEST_F(FocuserWindowTest, MoveKeysReachTheFrameWhileConnected)
{
    toggleConnect();
    QTest::keyPress(window.get(), Qt::Key_Up);
    QTest::keyPress(window.get(), Qt::Key_PageDown);
    QTest::keyPress(window.get(), Qt::Key_PageDown);
    EXPECT_EQ(frame->moves, 1);
    // Escape goes to the mount's panel, not to closing the window.
    QTest::keyPress(window.get(), Qt::Key_Escape);
    EXPECT_TRUE(window->isVisible());
}
