#include "FocuserFixture.h"

#include <gtest/gtest.h>

class FocuserFrameTest : public FocuserFixture {
protected:
    void SetUp() override
    {
        FocuserFixture::SetUp();
        makeFrame(display, curve);
        prefs->setCurrentScope(0);
        prefs->scopes()[0].scopeFL = 2000.0f;
        prefs->scopes()[0].scopeAP = 200.0f;
    }

    RecordingFocuserDisplay display;
    RecordingFocusDisplay curve;
};

TEST_F(FocuserFrameTest, ConnectToggles)
{
    frame->autoFocus().setIsTimerBlock(true);
    toggleConnect();
    ASSERT_TRUE(frame->isFocuserConnected());
    EXPECT_FALSE(frame->autoFocus().isTimerBlock());
    EXPECT_EQ(frame->startUps, 1);
    EXPECT_EQ(display.status, "Connected");
    EXPECT_EQ(display.zone, "101.9");  // f/10: 100 x 1.019
    EXPECT_TRUE(display.front);
    EXPECT_TRUE(frame->isUpdateTimerActive());

    toggleConnect();
    EXPECT_FALSE(frame->isFocuserConnected());
    EXPECT_EQ(display.status, "Not Connected");
    EXPECT_EQ(display.position, "----");
    EXPECT_EQ(display.temperature, QString::fromUtf8("--- \u00B0C"));
    EXPECT_FALSE(display.front);
    EXPECT_FALSE(frame->isUpdateTimerActive());
    EXPECT_EQ(serial->serialRefNum(kSerialSlotFocuser), -1);
    EXPECT_TRUE(alerts.alerts.empty());
}

TEST_F(FocuserFrameTest, AFocuserThatDoesNotAnswerRaisesTheModelsAlertWithTheReason)
{
    PtyDevice silent;
    silent.start();
    serial->setExtraPorts({silent.path()});
    serial->getPortNames();
    scope->setSelectPort(1);
    toggleConnect();
    EXPECT_FALSE(frame->isFocuserConnected());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "Probe connection failed.");
    EXPECT_TRUE(alerts.alerts[0].message.contains("did not answer")) << alerts.alerts[0].message.toStdString();
    EXPECT_EQ(frame->startUps, 0);
    EXPECT_FALSE(frame->isUpdateTimerActive());

    // With another focuser on the slot no search starts, and the alert says why.
    ASSERT_TRUE(serial->openSerialDriver(0, 9600, false, kSerialSlotFocuser));
    toggleConnect();
    ASSERT_EQ(alerts.alerts.size(), 2u);
    EXPECT_TRUE(alerts.alerts[1].message.contains("Another focuser")) << alerts.alerts[1].message.toStdString();
}

TEST_F(FocuserFrameTest, TheTimerBlockHoldsTheUpdatesOff)
{
    frame->setUpdateInterval(std::chrono::milliseconds(10));
    toggleConnect();
    frame->autoFocus().setIsTimerBlock(true);
    // No update may run over ten periods: waiting them out is the check.
    QTest::qWait(100);
    EXPECT_EQ(frame->updates, 0);
    frame->autoFocus().setIsTimerBlock(false);
    EXPECT_TRUE(QTest::qWaitFor([this] { return frame->updates > 0; }, 5000));
}

TEST_F(FocuserFrameTest, TheCriticalFocusZone)
{
    EXPECT_EQ(frame->criticalFocusZoneText(), "101.9");
    prefs->scopes()[0].scopeFL = 0.0f;
    EXPECT_EQ(frame->criticalFocusZoneText(), "---");
    prefs->setCurrentScope(9);
    EXPECT_EQ(frame->criticalFocusZoneText(), "---");
    // 0.0022 F^2 mm at 64000 steps per 76.2 mm, f/10: 184.8 steps.
    EXPECT_NEAR(CriticalFocusZone::travelSteps(10.0, 64000.0), 184.78, 0.01);
}

TEST_F(FocuserFrameTest, TabsNeedTheFocuserAndForAutofocusACamera)
{
    EXPECT_TRUE(frame->shouldSelectTab(1));
    EXPECT_FALSE(frame->shouldSelectTab(FocuserFrame::kTemperatureTab));
    toggleConnect();
    ASSERT_TRUE(frame->isFocuserConnected());
    EXPECT_FALSE(frame->shouldSelectTab(FocuserFrame::kAutoFocusTab));  // no camera
    cameras.setWebcam(&webcam);
    webcam.connected = false;
    EXPECT_FALSE(frame->shouldSelectTab(FocuserFrame::kAutoFocusTab));
    webcam.connected = true;
    EXPECT_TRUE(frame->shouldSelectTab(FocuserFrame::kAutoFocusTab));
    EXPECT_TRUE(frame->shouldSelectTab(FocuserFrame::kTemperatureTab));
    frame->temperatureGood = false;
    EXPECT_FALSE(frame->shouldSelectTab(FocuserFrame::kTemperatureTab));
}

TEST_F(FocuserFrameTest, ParametersSetTheRun)
{
    AutoFocusRun& run = frame->autoFocus();
    EXPECT_EQ(run.maxImages(), 7);
    run.setIsTimerBlock(true);
    frame->parameterAction(FocuserFrame::kSamplesTag, 3);
    EXPECT_FALSE(run.isTimerBlock());
    frame->parameterAction(FocuserFrame::kImagesTag, 9);
    frame->parameterAction(FocuserFrame::kStepsTag, 250);
    EXPECT_EQ(run.samples(), 3);
    EXPECT_EQ(run.images(), 9);
    EXPECT_EQ(run.steps(), 250);
    EXPECT_EQ(run.maxImages(), 27);
    // A typed count of none keeps one position and one sample.
    frame->parameterAction(FocuserFrame::kImagesTag, 0);
    frame->parameterAction(FocuserFrame::kStepsTag, -5);
    EXPECT_EQ(run.images(), 1);
    EXPECT_EQ(run.steps(), 0);
}

TEST_F(FocuserFrameTest, KeysWhileConnected)
{
    EXPECT_FALSE(frame->keyAction(Qt::Key_Up));
    toggleConnect();
    EXPECT_TRUE(frame->keyAction(Qt::Key_Up));
    EXPECT_TRUE(frame->keyAction(Qt::Key_PageUp));
    EXPECT_TRUE(frame->keyAction(Qt::Key_PageDown));
    EXPECT_EQ(frame->moves, -1);
    EXPECT_FALSE(frame->keyAction(Qt::Key_A));

    // Escape brings the connected mount's hand-control panel forward.
    EXPECT_TRUE(frame->keyAction(Qt::Key_Escape));
    EXPECT_TRUE(panels.shown.empty());
    connectScope(kProtocolGemini);
    EXPECT_TRUE(frame->keyAction(Qt::Key_Escape));
    EXPECT_TRUE(panels.isVisible(MountPanel::Gemini));
    EXPECT_EQ(panels.titles.back(), "Scope A");
}
