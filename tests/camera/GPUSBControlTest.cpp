#include "camera/FakeHidDevice.h"
#include "camera/ManualClock.h"
#include "camera/guide/GPUSBControl.h"
#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

namespace {

struct RecordingGuide final : GuideAdapterListener {
    void resetRADriveFlags() override { ++raResets; }
    void resetDecDriveFlags() override { ++decResets; }
    void enableGuide(bool enabled) override { enables.push_back(enabled); }
    int raResets = 0;
    int decResets = 0;
    std::vector<bool> enables;
};

class GPUSBControlTest : public ::testing::Test {
protected:
    GPUSBControlTest()
    {
        auto device = std::make_unique<FakeHidDevice>();
        hid = device.get();
        gpusb = std::make_unique<GPUSBControl>(std::move(device), clock);
        gpusb->setWebcamGuide(&guide);
    }
    void connect()
    {
        ASSERT_TRUE(gpusb->findHIDDevice());
        hid->reports.clear();
    }

    ScopedAlertRecorder alerts;
    ManualClock clock;
    RecordingGuide guide;
    FakeHidDevice* hid = nullptr;
    std::unique_ptr<GPUSBControl> gpusb;
};

TEST_F(GPUSBControlTest, ConnectsToTheOneAdapterOfItsIdentity)
{
    hid->attached = 2;
    EXPECT_FALSE(gpusb->findHIDDevice());
    hid->attached = 0;
    EXPECT_FALSE(gpusb->connectDevice());
    EXPECT_FALSE(gpusb->isGPUSBConnected());
    EXPECT_TRUE(guide.enables.empty());
    EXPECT_FALSE(gpusb->guideGPUSB(1, 1));

    hid->attached = 1;
    EXPECT_TRUE(gpusb->findHIDDevice());
    EXPECT_EQ(hid->vendorId, 0x134A);
    EXPECT_EQ(hid->productId, 0x9020);
    EXPECT_EQ(guide.enables, std::vector<bool>{true});
}

TEST_F(GPUSBControlTest, EachAxisPulseEndsOnItsOwnTimer)
{
    connect();
    EXPECT_TRUE(gpusb->guideGPUSB(1.5f, -0.5f));
    EXPECT_EQ(hid->bytes(), std::vector<int>{0x36});
    clock.advance(499);
    EXPECT_EQ(hid->reports.size(), 1u);
    clock.advance(1);
    EXPECT_EQ(hid->last(), '2');
    EXPECT_EQ(guide.decResets, 1);
    clock.advance(1000);
    EXPECT_EQ(hid->bytes(), (std::vector<int>{0x36, '2', ' '}));
    EXPECT_EQ(guide.raResets, 1);

    hid->reports.clear();
    EXPECT_TRUE(gpusb->guideGPUSB(0, 0));
    clock.advance(60000);
    EXPECT_EQ(hid->bytes(), std::vector<int>{' '});
    EXPECT_EQ(gpusb->guideGPUSB(-0.2f, 0.3f), true);
    EXPECT_EQ(hid->last(), '0' | 0x01 | 0x08);
}

TEST_F(GPUSBControlTest, LocksHoldTheLinesWithoutTimers)
{
    connect();
    EXPECT_TRUE(gpusb->lockGPUSB(10, 0));
    EXPECT_TRUE(gpusb->lockGPUSB(0, 10));
    EXPECT_TRUE(gpusb->lockGPUSB(0, 0));
    clock.advance(60000);
    EXPECT_EQ(hid->bytes(), (std::vector<int>{'2', 0x38, ' '}));
}

// A newer pulse on an axis keeps its full length: the older timer is gone.
TEST_F(GPUSBControlTest, ANewPulseReplacesThePendingOneOnItsAxis)
{
    connect();
    gpusb->guideGPUSB(0.5f, 0);
    clock.advance(200);
    gpusb->guideGPUSB(2.0f, 0);
    clock.advance(1999);
    EXPECT_EQ(hid->bytes(), (std::vector<int>{'2', '2'}));
    EXPECT_EQ(gpusb->data(), '2');
    clock.advance(1);
    EXPECT_EQ(hid->last(), ' ');

    // A lock or a zero time ends a pending pulse and tells the guider.
    gpusb->guideGPUSB(3.0f, -3.0f);
    const int ra = guide.raResets;
    const int dec = guide.decResets;
    gpusb->lockGPUSB(0, 5);
    EXPECT_EQ(guide.raResets, ra + 1);
    EXPECT_EQ(guide.decResets, dec + 1);
    clock.advance(10000);
    EXPECT_EQ(hid->last(), 0x38);
}

TEST_F(GPUSBControlTest, ARefusedReportIsReported)
{
    connect();
    hid->refuseReports = true;
    EXPECT_FALSE(gpusb->guideGPUSB(1, 0));
    EXPECT_FALSE(gpusb->lockGPUSB(1, 0));

    gpusb->closeHIDDevice();
    EXPECT_TRUE(gpusb->isGPUSBConnected());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "GPUSB disconnect failed.");
    EXPECT_EQ(guide.enables, std::vector<bool>{true});

    hid->refuseReports = false;
    gpusb->closeHIDDevice();
    EXPECT_FALSE(gpusb->isGPUSBConnected());
    EXPECT_FALSE(hid->isOpen());
    EXPECT_EQ(hid->last(), '0');
    EXPECT_EQ(guide.enables, (std::vector<bool>{true, false}));
}

}  // namespace
