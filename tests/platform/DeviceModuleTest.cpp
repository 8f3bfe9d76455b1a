#include "platform/DeviceModule.h"

#include "support/RecordingAlertPresenter.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>

#include <thread>

namespace {

// Waits for the posted alerts, then lets any stray one arrive too.
void takeAlerts(const ScopedAlertRecorder& recorder, std::size_t expected)
{
    ASSERT_TRUE(QTest::qWaitFor([&] { return recorder.alerts.size() >= expected; }, 10000));
    QCoreApplication::processEvents();
}

}  // namespace

TEST(DeviceModuleTest, AMissingModuleIsToldOncePerFeatureNamingTheFeatureAndTheFile)
{
    ScopedAlertRecorder recorder;
    const DeviceModule::Entry first = DeviceModule::findOrWarn("norvane-none", "norvaneCreateNothing", "the telescope's kettle");
    EXPECT_EQ(first.address, nullptr);
    EXPECT_EQ(DeviceModule::findOrWarn("norvane-none", "norvaneCreateNothing", "the telescope's kettle").address,
              nullptr);
    // A device worker asks from its own thread.
    std::thread worker([] { DeviceModule::findOrWarn("norvane-none", "norvaneCreateTea", "the dew kettle"); });
    worker.join();
    ASSERT_NO_FATAL_FAILURE(takeAlerts(recorder, 2));

    ASSERT_EQ(recorder.alerts.size(), 2u);
    EXPECT_EQ(recorder.alerts[0].title, "The support for the telescope's kettle is missing.");
    EXPECT_EQ(recorder.alerts[1].title, "The support for the dew kettle is missing.");
    for (const RecordedAlert& alert : recorder.alerts)
        EXPECT_TRUE(alert.message.contains("libnorvane-none.so is not installed")) << alert.message.toStdString();
    // The caller's error says both, for the panels that show it.
    EXPECT_TRUE(first.error.startsWith(DeviceModule::missingTitle("the telescope's kettle")));
    EXPECT_TRUE(first.error.contains("libnorvane-none.so")) << first.error.toStdString();
}

TEST(DeviceModuleTest, AModuleOfAnotherVersionIsToldAsSuchAndAFoundEntryIsSilent)
{
    ScopedAlertRecorder recorder;
    // The speech module is built beside the tests as beside the program.
    EXPECT_NE(DeviceModule::findOrWarn("norvane-speech", "norvaneCreateSpeaker", "speech").address, nullptr);
    EXPECT_EQ(DeviceModule::findOrWarn("norvane-speech", "norvaneCreateNothing", "the spoken nothing").address,
              nullptr);
    ASSERT_NO_FATAL_FAILURE(takeAlerts(recorder, 1));
    ASSERT_EQ(recorder.alerts.size(), 1u);
    EXPECT_EQ(recorder.alerts[0].title, "The support for the spoken nothing is missing.");
    EXPECT_TRUE(recorder.alerts[0].message.contains("libnorvane-speech.so has no entry norvaneCreateNothing"))
        << recorder.alerts[0].message.toStdString();
}
