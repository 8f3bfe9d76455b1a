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
// be missing and refuse reports.
struct FakePort final : FCUSBPort {
    QString open(quint16, quint16) override
    {
        isOpen = attached == 1;
        return isOpen ? QString() : QStringLiteral("%1 attached").arg(attached);
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
    std::vector<std::vector<int>> reports;
};

struct FakeDisplay final : FCUSBDisplay {
    void showUnit(int, bool, int, quint8) override {}
    void showAddressedUnit(int) override {}
    void orderFront() override { visible = true; }
    void orderOut() override { visible = false; }
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

TEST_F(FCUSBControlTest, TheSecondDirectionPWMChoicesAndSpeedBuildTheReports)
{
    unit2->attached = 0;
    control->fcusbConnect();
    ASSERT_TRUE(control->isFCUSBConnected());
    EXPECT_TRUE(alerts.alerts.empty()) << "a missing second unit is silent";
    EXPECT_FALSE(control->selectTab(FCUSBControl::kUnit2));
    unit1->reports.clear();
    control->fcusbMotorAction(2, true);
    control->fcusbPWMAction(1);
    control->fcusbMotorAction(2, false);
    control->fcusbPWMAction(0);
    control->fcusbSpeedAction(300);
    control->fcusbSpeedAction(-5);
    EXPECT_EQ(unit1->reports, (Reports{{0x21, 0x7D}, {0x61, 0x7D}, {0x70, 0x7D}, {0x30, 0x7D}, {0x30, 0xFF},
                                       {0x30, 0x00}}));
    // A refused report changes nothing else.
    unit1->refuse = true;
    EXPECT_FALSE(control->sendFCUSBReport());
    EXPECT_TRUE(control->isFCUSBConnected());
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
