#include "MoonLiteFixture.h"

#include "focus/views/FocusCurveView.h"
#include "focus/views/JMIWindow.h"
#include "focus/views/MoonLiteWindow.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSlider>
#include <QSpinBox>

#include <gtest/gtest.h>

class JMIWindowTest : public JMIFixture {
protected:
    void SetUp() override
    {
        JMIFixture::SetUp();
        window = std::make_unique<JMIWindow>();
        control->setDisplay(window.get());
        windowFrame = std::make_unique<JMIFrame>(*control, FocuserFrame::Links{*scope, *prefs, cameras}, *window,
                                                 *window, *window);
        window->attachJMI(*windowFrame);
    }
    void TearDown() override
    {
        windowFrame.reset();
        control->setDisplay(nullptr);
        window.reset();
        JMIFixture::TearDown();
    }

    std::unique_ptr<JMIWindow> window;
    std::unique_ptr<JMIFrame> windowFrame;
};

TEST_F(JMIWindowTest, TheSetUpFieldsFollowTheControllerAndActOnTheFocuser)
{
    control->setJMIMaxValue(2000);
    EXPECT_EQ(window->maxField()->value(), 2000);
    control->setSlowAdj(2.0f);
    control->setFastAdj(0.5f);
    control->setJMIMaxValue(2000);
    EXPECT_EQ(window->slider(1)->value(), 25);
    EXPECT_EQ(window->slider(2)->value(), -25);
    EXPECT_EQ(window->slider(3)->value(), 0);

    window->backlashField()->setValue(400);
    window->backlashBox()->click();
    EXPECT_TRUE(control->isJMIBacklash());
    EXPECT_EQ(control->jmiBacklash(), 400);
    window->backlashField()->setValue(501);
    emit window->backlashField()->editingFinished();
    EXPECT_EQ(control->jmiBacklash(), 400);  // above a quarter: refused
    EXPECT_EQ(window->backlashField()->value(), 400);
    EXPECT_EQ(alerts.beeps, 1);

    port->start();
    windowFrame->focuserConnect();
    ASSERT_TRUE(settle());
    ASSERT_TRUE(window->isVisible());
    EXPECT_EQ(window->level()->value(), 500 * 100 / 2000);
    window->gotoField()->setValue(700);
    window->button("Go To")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return jmi->gotos() == QList<quint16>{700}; }, 5000));

    // Closing the window stores the settings, a factor handed over unsaved among them.
    control->setIOAdj(4.0f);
    EXPECT_NE(stored("JMIIOAdjPref").toFloat(), 4.0f);
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(stored("JMIIOAdjPref").toFloat(), 4.0f);
}

class MoonLiteWindowTest : public MoonLiteFixture {
protected:
    void SetUp() override
    {
        MoonLiteFixture::SetUp();
        window = std::make_unique<MoonLiteWindow>();
        windowFrame = std::make_unique<MoonLiteFrame>(*control, FocuserFrame::Links{*scope, *prefs, cameras},
                                                      MoonLiteFrame::Displays{*window, *window, *window, *window});
        window->attachMoonLite(*windowFrame);
    }
    void TearDown() override
    {
        windowFrame.reset();
        window.reset();
        MoonLiteFixture::TearDown();
    }

    std::unique_ptr<MoonLiteWindow> window;
    std::unique_ptr<MoonLiteFrame> windowFrame;
};

TEST_F(MoonLiteWindowTest, ConnectFillsTheFieldsAndTheCellsSetTheSpeed)
{
    moon->setStepDelay(16);
    EXPECT_FALSE(window->compensationBox()->isEnabled());
    port->start();
    windowFrame->focuserConnect();
    ASSERT_TRUE(settle());
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->maximumField()->text() == "65535"; }, 5000));
    const auto cells = window->findChildren<QRadioButton*>();
    ASSERT_EQ(cells.size(), 5);
    EXPECT_TRUE(cells[1]->isChecked());
    cells[3]->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return moon->stepDelay() == 4; }, 5000));

    window->selectSpeedCell(0);
    for (const QRadioButton* cell : cells)
        EXPECT_FALSE(cell->isChecked());

    // The plot places its columns at whole points.
    window->slopeField()->setValue(12);
    emit window->slopeField()->editingFinished();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->compensationBox()->isEnabled(); }, 5000));
    EXPECT_FLOAT_EQ(control->moonSlope(), 12.0f);
    window->button("Learn")->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return window->button("Learn")->text() == "Reset"; }, 5000));
    EXPECT_FALSE(window->compensationBox()->isEnabled());
}

