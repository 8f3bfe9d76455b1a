#include "camera/FakeHidDevice.h"
#include "camera/guide/DSUSBControl.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

namespace {

class DSUSBControlTest : public ::testing::Test {
protected:
    DSUSBControlTest()
    {
        auto device = std::make_unique<FakeHidDevice>();
        hid = device.get();
        dsusb = std::make_unique<DSUSBControl>(std::move(device));
    }

    ScopedAlertRecorder alerts;
    FakeHidDevice* hid = nullptr;
    std::unique_ptr<DSUSBControl> dsusb;
};

TEST_F(DSUSBControlTest, ReleasesTheLineOnConnectAndSendsZeroOnDisconnect)
{
    EXPECT_FALSE(dsusb->openDSShutter());
    EXPECT_TRUE(hid->reports.empty());

    ASSERT_TRUE(dsusb->findDSHIDDevice());
    EXPECT_EQ(hid->productId, 0x9021);
    EXPECT_TRUE(dsusb->openDSShutter());
    EXPECT_TRUE(dsusb->closeDSShutter());
    dsusb->closeDSHIDDevice();
    EXPECT_FALSE(dsusb->isDSUSBConnected());
    EXPECT_EQ(hid->bytes(), (std::vector<int>{' ', '1', ' ', 0x00}));
    EXPECT_TRUE(alerts.alerts.empty());
}

TEST_F(DSUSBControlTest, FailuresLeaveItDisconnectedOrAlert)
{
    hid->attached = 0;
    EXPECT_FALSE(dsusb->connectDevice());
    hid->attached = 1;
    hid->refuseReports = true;
    EXPECT_FALSE(dsusb->connectDevice());
    EXPECT_FALSE(hid->isOpen());

    hid->refuseReports = false;
    ASSERT_TRUE(dsusb->connectDevice());
    hid->refuseClose = true;
    dsusb->disconnectDevice();
    EXPECT_TRUE(dsusb->isConnected());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "DSUSB disconnect failed.");
}

}  // namespace
