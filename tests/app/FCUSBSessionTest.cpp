#include "app/AssembledProgram.h"
#include "app/FCUSBLink.h"
#include "app/FocusLink.h"
#include "app/MountLink.h"
#include "camera/FakeHidDevice.h"
#include "focus/views/FCUSB.h"
#include "focus/views/FocusMenu.h"
#include "model/settings/PrefControl.h"
#include "mount/panels/ConnectMenu.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QButtonGroup>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

namespace {

using Reports = std::vector<std::vector<int>>;

Reports reportsOf(const FakeHidDevice& device)
{
    Reports out;
    for (const QByteArray& report : device.reports) {
        std::vector<int> bytes;
        for (const char byte : report)
            bytes.push_back(quint8(byte));
        out.push_back(bytes);
    }
    return out;
}

// The FCUSB controller as the program joins it, its two units behind fake
// HID devices driven through the HID worker, reached from the chart's
// Focuser menu and its own window.
class FCUSBSessionTest : public AssembledProgram {
protected:
    void SetUp() override
    {
        AssembledProgram::SetUp();
        auto one = std::make_unique<FakeHidDevice>();
        auto two = std::make_unique<FakeHidDevice>();
        unit1 = one.get();
        unit2 = two.get();
        link = std::make_unique<FCUSBLink>(chart->prefControl(), FCUSBLink::Devices{std::move(one), std::move(two)},
                                           nullptr);
        link->joinFocus(chart->focusLink());
    }
    void TearDown() override
    {
        chart->fcusbLink().joinFocus(chart->focusLink());
        link.reset();
        chart.reset();
    }
    void choose()
    {
        FocusMenu& menu = *chart->focusLink().focusMenu();
        menu.validateMenu();
        QAction* item = menu.itemWithTag(FocusMenu::kFCUSBTag);
        ASSERT_TRUE(item->isEnabled());
        item->trigger();
    }

    ScopedAlertRecorder alerts;
    FakeHidDevice* unit1 = nullptr;
    FakeHidDevice* unit2 = nullptr;
    std::unique_ptr<FCUSBLink> link;
};

}  // namespace

TEST_F(FCUSBSessionTest, TheProgramJoinsItsControllerToTheOutletsAndTheSettings)
{
    FCUSBLink& joined = chart->fcusbLink();
    EXPECT_EQ(chart->outlets().fcusbWindow, &joined.window());
    // The settings object hands its stored values to the program's controller.
    joined.control().setFCUSBSpeed(200);
    joined.control().setFCUSB2PWM(16);
    chart->prefControl().saveFCUSBPrefs();
    joined.control().setFCUSBSpeed(1);
    joined.control().setFCUSB2PWM(1);
    chart->prefControl().readPrefs();
    EXPECT_EQ(joined.control().fcusbSpeed(), 200);
    EXPECT_EQ(joined.control().fcusbPWM2(), 16);
}

TEST_F(FCUSBSessionTest, TheMenuConnectsAndTheWindowsButtonsDriveTheMotor)
{
    link->control().setFCUSBPWM(4);
    unit2->attached = 0;
    choose();
    ASSERT_TRUE(link->control().isFCUSBConnected());
    EXPECT_EQ(unit1->vendorId, 0x134A);
    EXPECT_EQ(unit1->productId, 0x9023);
    EXPECT_EQ(reportsOf(*unit1), (Reports{{0x60, 0x7D}, {0x70, 0x7D}}));
    FCUSB& window = link->window();
    EXPECT_TRUE(window.isVisible());
    EXPECT_TRUE(chart->focusLink().focusMenu()->itemWithTag(FocusMenu::kFCUSBTag)->isChecked());
    EXPECT_EQ(window.pwmRadio(1)->checkedId(), 1);
    EXPECT_TRUE(alerts.alerts.empty());

    // Held down, the motor runs; let go, it stops.
    QAbstractButton* forward = window.motorButton(1, 1);
    QTest::mousePress(forward, Qt::LeftButton);
    EXPECT_EQ(reportsOf(*unit1).back(), (std::vector<int>{0x62, 0x7D}));
    window.pwmRadio(1)->button(2)->click();
    EXPECT_EQ(reportsOf(*unit1).back(), (std::vector<int>{0xA2, 0x7D}));
    QTest::mouseRelease(forward, Qt::LeftButton);
    EXPECT_EQ(reportsOf(*unit1).back(), (std::vector<int>{0xB0, 0x7D}));
    window.speedSlider(1)->setValue(255);
    EXPECT_EQ(reportsOf(*unit1).back(), (std::vector<int>{0xB0, 0xFF}));

    // The second unit is missing: its tab stays shut and the first keeps working.
    EXPECT_FALSE(window.tabs()->isTabEnabled(1));
    window.tabs()->setCurrentIndex(1);
    EXPECT_EQ(link->control().addressedUnit(), 1);
    QTest::mouseClick(window.motorButton(1, 2), Qt::LeftButton);
    EXPECT_EQ(reportsOf(*unit1).size(), 8u);
    EXPECT_TRUE(unit2->reports.empty());

    // Closing the window keeps the unit, and Connect > Control Panel shows
    // the window again and closes it; the Focuser menu disconnects the unit
    // and stores the settings.
    window.close();
    EXPECT_TRUE(link->control().isFCUSBConnected());
    constexpr int kControlPanelTag = 20;
    ConnectMenu& connect = *chart->mountLink().connectMenu();
    connect.validateMenu();
    QAction* controlPanel = connect.itemWithTag(kControlPanelTag);
    ASSERT_TRUE(controlPanel->isEnabled());
    controlPanel->trigger();
    EXPECT_TRUE(window.isVisible());
    controlPanel->trigger();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(link->control().isFCUSBConnected());
    choose();
    EXPECT_FALSE(link->control().isFCUSBConnected());
    EXPECT_FALSE(unit1->isOpen());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(FCUSBSessionTest, AFailedConnectSaysWhyTheFirstUnitDidNotOpen)
{
    unit1->attached = 0;
    choose();
    unit1->attached = 1;
    unit1->refuseOpen = true;
    choose();
    ASSERT_EQ(alerts.alerts.size(), 2u);
    EXPECT_EQ(alerts.alerts[0].title, "FCUSB connection failed.");
    EXPECT_EQ(alerts.alerts[0].message, "No adapter was found on the USB bus.");
    EXPECT_TRUE(alerts.alerts[1].message.contains("could not be opened"));
    EXPECT_FALSE(link->control().isFCUSBConnected());
    EXPECT_FALSE(chart->focusLink().focusMenu()->itemWithTag(FocusMenu::kFCUSBTag)->isChecked());
}

TEST_F(FCUSBSessionTest, TwoUnitsOfOneProductFailAndASecondUnitGetsItsTab)
{
    unit1->attached = 2;
    choose();
    EXPECT_FALSE(link->control().isFCUSBConnected());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "FCUSB connection failed.");
    EXPECT_EQ(alerts.alerts[0].message, "More than one adapter is attached; attach only one.");
    EXPECT_TRUE(unit2->reports.empty());

    unit1->attached = 1;
    choose();
    ASSERT_TRUE(link->control().isFCUSB2Connected());
    EXPECT_EQ(unit2->productId, 0x9024);
    FCUSB& window = link->window();
    ASSERT_TRUE(window.tabs()->isTabEnabled(1));
    window.tabs()->setCurrentIndex(1);
    QTest::mousePress(window.motorButton(2, 2), Qt::LeftButton);
    EXPECT_EQ(reportsOf(*unit2).back(), (std::vector<int>{0x21, 0x7D}));
    QTest::mouseRelease(window.motorButton(2, 2), Qt::LeftButton);
    EXPECT_EQ(reportsOf(*unit2).back(), (std::vector<int>{0x30, 0x7D}));
    EXPECT_EQ(reportsOf(*unit1).size(), 2u) << "the first unit's set-up only";
}
