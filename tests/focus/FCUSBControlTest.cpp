#include "focus/FCUSBControl.h"
#include "focus/FCUSBDisplay.h"
#include "focus/FCUSBPort.h"
#include "model/PrefFixture.h"
#include "model/settings/PrefKeys.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A unit that exists only in the test: its reports are recorded, and it can
// be missing (or attached twice) and refuse reports.
struct FakePort final : FCUSBPort {
    bool open(quint16 vendor, quint16 product) override
    {
        vendorId = vendor;
        productId = product;
        isOpen = attached == 1;
        return isOpen;
    }
    bool sendReport(const QByteArray& report) override
    {
        if (!isOpen || refuse)
            return false;
        reports.push_back({quint8(report[0]), quint8(report[1])});
        return true;
    }
    void close() override { isOpen = false; }

    int attached = 1;
    bool refuse = false;
    bool isOpen = false;
    quint16 vendorId = 0;
    quint16 productId = 0;
    std::vector<std::vector<int>> reports;
};

struct FakeDisplay final : FCUSBDisplay {
    void showUnit(int unit, bool connected, int pwmColumn, quint8 speed) override
    {
        shown[unit - 1] = {connected ? 1 : 0, pwmColumn, speed};
    }
    void showAddressedUnit(int unit) override { addressed = unit; }
    void orderFront() override { visible = true; }
    void orderOut() override { visible = false; }

    std::vector<int> shown[2];
    int addressed = 0;
    bool visible = false;
};

using Reports = std::vector<std::vector<int>>;

class FCUSBControlTest : public PrefFixture {
protected:
    void SetUp() override
    {
        PrefFixture::SetUp();
        prefs = &launch();
        auto one = std::make_unique<FakePort>();
        auto two = std::make_unique<FakePort>();
        unit1 = one.get();
        unit2 = two.get();
        control = std::make_unique<FCUSBControl>(*prefs, std::move(one), std::move(two));
        control->setDisplay(&display);
        PrefLinks links = fakes.links();
        links.fcusb = control.get();
        prefs->setLinks(links);
    }
    void TearDown() override
    {
        control.reset();
        PrefFixture::TearDown();
    }

    ScopedAlertRecorder alerts;
    PrefControl* prefs = nullptr;
    FakePort* unit1 = nullptr;
    FakePort* unit2 = nullptr;
    FakeDisplay display;
    std::unique_ptr<FCUSBControl> control;
};

TEST_F(FCUSBControlTest, SetUpMotorButtonsPWMAndSpeedBuildTheReports)
{
    control->setFCUSBPWM(4);
    unit2->attached = 0;
    control->fcusbConnect();
    ASSERT_TRUE(control->isFCUSBConnected());
    EXPECT_EQ(unit1->vendorId, 0x134A);
    EXPECT_EQ(unit1->productId, 0x9023);
    EXPECT_EQ(unit2->productId, 0x9024);
    // The stop bits are set, not added: 0x60 + 0x30 would be 0x90.
    EXPECT_EQ(unit1->reports, (Reports{{0x60, 0x7D}, {0x70, 0x7D}}));
    EXPECT_EQ(display.shown[0], (std::vector<int>{1, 1, 125}));
    EXPECT_TRUE(display.visible);
    EXPECT_TRUE(alerts.alerts.empty()) << "a missing second unit is silent";

    unit1->reports.clear();
    control->fcusbMotorAction(1, true);
    EXPECT_TRUE(control->isOn(FCUSBControl::kUnit1));
    control->fcusbMotorAction(1, false);
    EXPECT_FALSE(control->isOn(FCUSBControl::kUnit1));
    control->fcusbMotorAction(2, true);
    // Column 2 while the motor runs: the PWM bits change, the run bit stays.
    control->fcusbPWMAction(2);
    EXPECT_TRUE(control->isOn(FCUSBControl::kUnit1));
    control->fcusbMotorAction(2, false);
    control->fcusbPWMAction(0);
    control->fcusbSpeedAction(255);
    control->fcusbSpeedAction(300);
    control->fcusbSpeedAction(0);
    EXPECT_EQ(unit1->reports, (Reports{{0x62, 0x7D},
                                       {0x70, 0x7D},
                                       {0x61, 0x7D},
                                       {0xA1, 0x7D},
                                       {0xB0, 0x7D},
                                       {0x30, 0x7D},
                                       {0x30, 0xFF},
                                       {0x30, 0xFF},
                                       {0x30, 0x00}}));
    EXPECT_EQ(control->fcusbPWM(), 1);
    EXPECT_EQ(control->fcusbSpeed(), 0);
}

TEST_F(FCUSBControlTest, AMissingOrDoubledFirstUnitFailsAndConnectsNothing)
{
    for (const int attached : {0, 2}) {
        unit1->attached = attached;
        control->fcusbConnect();
        EXPECT_FALSE(control->isFCUSBConnected()) << attached;
        EXPECT_FALSE(control->isFCUSB2Connected()) << attached;
        EXPECT_FALSE(display.visible);
        EXPECT_TRUE(unit1->reports.empty());
    }
    ASSERT_EQ(alerts.alerts.size(), 2u);
    EXPECT_EQ(alerts.alerts[0].title, "FCUSB connection failed.");
    EXPECT_EQ(alerts.alerts[0].message, " ");
    // Nothing connected: the actions send nothing.
    control->fcusbMotorAction(1, true);
    EXPECT_FALSE(control->isOn(FCUSBControl::kUnit1));
    EXPECT_FALSE(control->sendFCUSBReport());
}

TEST_F(FCUSBControlTest, TheSecondUnitHasItsOwnTabAndAMissingOneLeavesTheFirstWorking)
{
    unit2->attached = 2;
    control->fcusbConnect();
    ASSERT_TRUE(control->isFCUSBConnected());
    EXPECT_FALSE(control->isFCUSB2Connected());
    EXPECT_FALSE(control->selectTab(FCUSBControl::kUnit2));
    EXPECT_EQ(control->addressedUnit(), FCUSBControl::kUnit1);
    unit1->reports.clear();
    control->fcusbMotorAction(1, true);
    EXPECT_EQ(unit1->reports, (Reports{{0x22, 0x7D}}));
    control->fcusbMotorAction(1, false);

    // Reconnected with both units: the tab addresses the second one.
    control->fcusbConnect();
    unit2->attached = 1;
    control->setFCUSB2PWM(16);
    control->setFCUSB2Speed(10);
    control->fcusbConnect();
    ASSERT_TRUE(control->isFCUSB2Connected());
    EXPECT_EQ(unit2->reports, (Reports{{0xA0, 10}, {0xB0, 10}}));
    EXPECT_EQ(display.shown[1], (std::vector<int>{1, 2, 10}));
    EXPECT_EQ(display.addressed, FCUSBControl::kUnit1);
    ASSERT_TRUE(control->selectTab(FCUSBControl::kUnit2));
    unit1->reports.clear();
    control->fcusbSpeedAction(200);
    EXPECT_EQ(unit2->reports.back(), (std::vector<int>{0xB0, 200}));
    EXPECT_TRUE(unit1->reports.empty());
    EXPECT_EQ(control->fcusbSpeed2(), 200);

    // A refused report changes nothing else.
    unit2->refuse = true;
    EXPECT_FALSE(control->sendFCUSBReport());
    EXPECT_TRUE(control->isFCUSB2Connected());
}

TEST_F(FCUSBControlTest, DisconnectStopsARunningMotorAndStoresTheFourSettings)
{
    control->fcusbConnect();
    ASSERT_TRUE(control->isFCUSB2Connected());
    control->selectTab(FCUSBControl::kUnit2);
    control->fcusbPWMAction(1);
    control->fcusbSpeedAction(90);
    control->fcusbMotorAction(2, true);
    control->selectTab(FCUSBControl::kUnit1);
    control->fcusbPWMAction(2);
    control->fcusbSpeedAction(240);
    control->fcusbConnect();
    EXPECT_FALSE(control->isFCUSBConnected());
    EXPECT_FALSE(control->isFCUSB2Connected());
    EXPECT_FALSE(unit1->isOpen);
    EXPECT_FALSE(unit2->isOpen);
    EXPECT_FALSE(display.visible);
    EXPECT_EQ(unit2->reports.back(), (std::vector<int>{0x70, 90})) << "the running motor stopped first";

    // A new run's settings object hands the stored values back.
    control->setFCUSBSpeed(1);
    control->setFCUSB2Speed(1);
    control->setFCUSBPWM(1);
    control->setFCUSB2PWM(1);
    prefs->readPrefs();
    EXPECT_EQ(control->fcusbSpeed(), 240);
    EXPECT_EQ(control->fcusbPWM(), 16);
    EXPECT_EQ(control->fcusbSpeed2(), 90);
    EXPECT_EQ(control->fcusbPWM2(), 4);
}

}  // namespace
