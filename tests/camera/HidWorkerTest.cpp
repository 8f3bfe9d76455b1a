#include "camera/FakeHidDevice.h"
#include "camera/ManualClock.h"
#include "camera/guide/DSUSBControl.h"
#include "camera/guide/GPUSBControl.h"
#include "camera/guide/HidWorker.h"
#include "support/MainThreadWatchdog.h"
#include "support/RecordingAlertPresenter.h"

#include <QElapsedTimer>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

constexpr auto kStall = 100ms;

// Lets the watchdog tick a few times so a stall after it stands out.
void settle()
{
    QTest::qWait(30);
}

struct NoGuide final : GuideAdapterListener {
    void resetRADriveFlags() override {}
    void resetDecDriveFlags() override {}
    void enableGuide(bool enabled) override { enables.push_back(enabled); }
    std::vector<bool> enables;
};

// An adapter stuck in a report: every call comes back within its time-out
// as a failure, the window's loop keeps running, and the adapter works
// again once the report goes through.
TEST(HidWorkerTest, AStuckDSUSBReportFailsWithoutHoldingTheLoop)
{
    ScopedAlertRecorder alerts;
    auto device = std::make_unique<FakeHidDevice>();
    FakeHidDevice* hid = device.get();
    DSUSBControl dsusb(std::move(device));
    ASSERT_TRUE(dsusb.findDSHIDDevice());
    const std::shared_ptr<FakeHidGate> gate = hid->writeGate;
    gate->hold();

    MainThreadWatchdog watchdog;
    watchdog.start();
    settle();
    QElapsedTimer waited;
    waited.start();
    EXPECT_FALSE(dsusb.openDSShutter());
    EXPECT_GE(waited.elapsed(), DSUSBControl::kWriteTimeout.count() - 1);
    settle();
    EXPECT_FALSE(dsusb.closeDSShutter());
    dsusb.closeDSHIDDevice();
    settle();
    EXPECT_LT(watchdog.longestStall(), kStall);
    EXPECT_TRUE(dsusb.isDSUSBConnected());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "DSUSB disconnect failed.");

    // The late shutter report is let go at once: no exposure is running.
    gate->release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return hid->sent == 3; }));
    EXPECT_EQ(hid->bytes(), (std::vector<int>{' ', '1', ' '}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return dsusb.closeDSShutter(); }));
    EXPECT_EQ(hid->last(), ' ');
}

TEST(HidWorkerTest, AStuckGPUSBReportIsRefusedAndTheDisconnectAlerts)
{
    ScopedAlertRecorder alerts;
    ManualClock clock;
    NoGuide guide;
    auto device = std::make_unique<FakeHidDevice>();
    FakeHidDevice* hid = device.get();
    GPUSBControl gpusb(std::move(device), clock);
    gpusb.setWebcamGuide(&guide);
    ASSERT_TRUE(gpusb.findHIDDevice());
    const std::shared_ptr<FakeHidGate> gate = hid->writeGate;
    gate->hold();

    MainThreadWatchdog watchdog;
    watchdog.start();
    settle();
    EXPECT_FALSE(gpusb.guideGPUSB(0.5f, 0.5f));
    settle();
    // Both pulses end while the first report still hangs: neither waits.
    clock.advance(500);
    EXPECT_FALSE(gpusb.lockGPUSB(1, 0));
    gpusb.closeHIDDevice();
    settle();
    EXPECT_LT(watchdog.longestStall(), kStall);
    EXPECT_TRUE(gpusb.isGPUSBConnected());
    ASSERT_EQ(alerts.alerts.size(), 1u);
    EXPECT_EQ(alerts.alerts[0].title, "GPUSB disconnect failed.");
    EXPECT_EQ(guide.enables, std::vector<bool>{true});

    // The late pulse's lines go off: their timers have already run.
    gate->release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return hid->sent == 2; }));
    EXPECT_EQ(hid->bytes(), (std::vector<int>{0x3A, ' '}));
    ASSERT_TRUE(QTest::qWaitFor([&] { return gpusb.lockGPUSB(0, 0); }));
    EXPECT_EQ(hid->last(), ' ');
}

// Quitting while an adapter hangs must not hang the program: the stuck
// thread is left to finish alone and frees the device itself.
TEST(HidWorkerTest, DestructionDuringAStuckReportReturns)
{
    auto device = std::make_unique<FakeHidDevice>();
    const std::shared_ptr<FakeHidGate> gate = device->writeGate;
    auto dsusb = std::make_unique<DSUSBControl>(std::move(device));
    ASSERT_TRUE(dsusb->findDSHIDDevice());
    gate->hold();
    EXPECT_FALSE(dsusb->openDSShutter());

    QElapsedTimer waited;
    waited.start();
    dsusb.reset();
    EXPECT_LT(waited.elapsed(), 1000);
    gate->release();
}

// A connect that gave up must not leave the device held by a late open.
TEST(HidWorkerTest, AnOpenThatFinishesLateIsClosedAgain)
{
    auto device = std::make_unique<FakeHidDevice>();
    FakeHidDevice* hid = device.get();
    HidWorker worker(std::move(device), QByteArray(1, ' '));
    hid->openGate->hold();
    EXPECT_EQ(worker.open(GPUSBControl::kVendorId, GPUSBControl::kProductId), HidOpen::NoAnswer);
    hid->openGate->release();
    ASSERT_TRUE(QTest::qWaitFor([&] { return hid->closes == 1; }));
    EXPECT_FALSE(hid->isOpen());

    ASSERT_TRUE(QTest::qWaitFor([&] { return worker.open(GPUSBControl::kVendorId, GPUSBControl::kProductId) == HidOpen::Opened; }));
    EXPECT_TRUE(worker.sendReport(QByteArray(1, '2'), 50ms));
    EXPECT_EQ(hid->last(), '2');
}

}  // namespace
