#include "chart/controls/ControlsFixture.h"

#include "chart/panels/DirectionControlPanel.h"
#include "chart/panels/TimeControlPanel.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <functional>

namespace {

class DirectionControlPanelTest : public ControlsTest {
protected:
    void SetUp() override
    {
        ControlsTest::SetUp();
        panel = std::make_unique<DirectionControlPanel>(settings(), *chain, keyboard.get());
    }
    std::unique_ptr<DirectionControlPanel> panel;
};

TEST_F(DirectionControlPanelTest, CompassButtonsAndSlidersTurnTheView)
{
    PrefControl& p = settings();
    const std::pair<int, double> compass[] = {{DirectionControlPanel::East, 90.0},
                                              {DirectionControlPanel::West, 270.0},
                                              {DirectionControlPanel::South, 180.0},
                                              {DirectionControlPanel::North, 0.0}};
    for (const auto& [tag, azimuth] : compass) {
        QTest::mouseClick(&panel->compassButton(tag), Qt::LeftButton);
        EXPECT_EQ(p.azimuth(), azimuth) << tag;
    }
    panel->directionControlAction(DirectionControlPanel::AltitudeSlider, 33.5);
    panel->directionControlAction(DirectionControlPanel::ViewAngleSlider, 60.0);
    panel->directionControlAction(7, 10.0);
    EXPECT_EQ(p.altitude(), 33.5);
    EXPECT_EQ(p.viewAngle(), 60.0);
    EXPECT_EQ(fakes.log.calls.count("bottomPanel.updateBottomPanel"), 7);
}

TEST_F(DirectionControlPanelTest, SlidersFollowChangesMadeElsewhereWithoutActing)
{
    PrefLinks links;
    links.viewSliders = panel.get();
    settings().setLinks(links);
    settings().setAzimuth(123.4);
    settings().setAltitude(-12.0);
    EXPECT_EQ(panel->slider(DirectionControlPanel::AzimuthSlider).value(), 1234);
    EXPECT_EQ(panel->slider(DirectionControlPanel::AltitudeSlider).value(), -120);
    EXPECT_TRUE(fakes.log.calls.filter("skyView").isEmpty());
}

TEST_F(DirectionControlPanelTest, KeysActAsOnTheChart)
{
    settings().setViewAngle(100.0);
    QTest::keyClick(panel.get(), Qt::Key_Minus);
    EXPECT_NEAR(settings().viewAngle(), 102.55, 1e-9);
}

}  // namespace

TEST_F(DirectionControlPanelTest, TheTimeAndDirectionPanelsOpenSideBySide)
{
    QWidget& chart = *view().window();
    chart.show();
    TimeControlPanel timePanel(settings(), *time, outlets, *chain, &chart);
    DirectionControlPanel directionPanel(settings(), *chain, keyboard.get(), &chart);
    timePanel.show();
    directionPanel.show();
    EXPECT_FALSE(timePanel.frameGeometry().intersects(directionPanel.frameGeometry()));
}

TEST_F(DirectionControlPanelTest, ClosedByTheUserAPanelStaysClosedAtTheNextStart)
{
    QWidget& chart = *view().window();
    chart.show();
    PrefControl& p = settings();
    const auto closeButton = [](QWidget& panel) { panel.close(); };
    const auto escape = [](QWidget& panel) { QTest::keyClick(&panel, Qt::Key_Escape); };
    const struct {
        const char* name;
        bool time;
        std::function<void(QWidget&)> close;
    } cases[] = {
        {"time panel, close button", true, closeButton},
        {"time panel, Escape", true, escape},
        {"direction panel, close button", false, closeButton},
    };
    for (const auto& c : cases) {
        std::unique_ptr<FloatingControlPanel> panel;
        if (c.time)
            panel = std::make_unique<TimeControlPanel>(p, *time, outlets, *chain, &chart);
        else
            panel = std::make_unique<DirectionControlPanel>(p, *chain, keyboard.get(), &chart);
        const auto isOpen = [&] { return c.time ? p.isTimePanel() : p.isDirectionPanel(); };
        // Opened as the Window menu opens it.
        c.time ? p.setIsTimePanel() : p.setIsDirectionPanel();
        panel->show();
        ASSERT_TRUE(isOpen()) << c.name;
        c.close(*panel);
        EXPECT_FALSE(panel->isVisible()) << c.name;
        EXPECT_FALSE(isOpen()) << c.name;
    }
}
