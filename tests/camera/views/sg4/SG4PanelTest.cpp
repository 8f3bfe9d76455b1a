#include "../../sg4/SG4Fixture.h"

#include "camera/views/sg4/SG4Panel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

// The SG-4 panel's controls reach the controller by their tags.
class SG4PanelTest : public SG4Fixture {
protected:
    SG4PanelTest() { control.setSG4Panel(&panel); }
    ~SG4PanelTest() override { control.setSG4Panel(&sg4Panel); }
    SG4Panel panel{control, DebugWriter()};
};

TEST_F(SG4PanelTest, ConnectingShowsTheGuiderAndClosingDisconnects)
{
    device.setGuider(500, 10, 128, 255);
    ASSERT_TRUE(connect());
    EXPECT_TRUE(panel.isVisible());
    EXPECT_EQ(panel.windowTitle(), "SG-4  V2.5");
    EXPECT_EQ(panel.speedPopup()->currentText(), "9600");
    EXPECT_EQ(panel.xGainText()->value(), 50);
    panel.close();
    EXPECT_FALSE(control.isSG4Connect());
    EXPECT_FALSE(panel.isVisible());
}

TEST_F(SG4PanelTest, DirectionButtonsCloseRelaysWhileHeld)
{
    ASSERT_TRUE(connect());
    QPushButton* right = panel.directionButton(SG4Control::kTagRight);
    emit right->pressed();
    settle();
    EXPECT_EQ(device.relays(), SG4Protocol::kRelayXPlus);
    emit right->released();
    settle();
    EXPECT_EQ(device.relays(), 0);
}

TEST_F(SG4PanelTest, ExposeShowsTheDownloadAndMenusSetTheMode)
{
    ASSERT_TRUE(connect());
    panel.readoutPopup()->setCurrentIndex(3);
    emit panel.readoutPopup()->activated(3);
    EXPECT_EQ(panel.readoutPopup()->currentIndex(), 0) << "no sub-frame dragged yet";
    panel.readoutPopup()->setCurrentIndex(2);
    emit panel.readoutPopup()->activated(2);
    EXPECT_EQ(control.sg4Bin(), 2);
    panel.typePopup()->setCurrentIndex(1);
    emit panel.typePopup()->activated(1);
    EXPECT_EQ(control.sg4Type(), 0);
    bool ready = false;
    QObject::connect(&control, &SG4Control::imageReady, [&] { ready = true; });
    panel.exposeButton()->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ready; }, 20000));
    EXPECT_EQ(panel.exposeButton()->text(), "Expose");
    EXPECT_EQ(panel.statusText()->text(), " ");
    EXPECT_EQ(control.sg4Image()->width, 320);
}

TEST_F(SG4PanelTest, GuideWithoutCalibrationIsRefused)
{
    ASSERT_TRUE(connect());
    panel.guideButton()->click();
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts.front().title, "Calibrate first");
    EXPECT_EQ(panel.guideButton()->text(), "Guide");
}
