#include "support/MainThreadWatchdog.h"

#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <thread>

using namespace std::chrono_literals;

// The device tests' watchdog counts a main thread that waits (here asleep,
// as on a lock or a read) and not one that merely turns.
TEST(MainThreadWatchdogTest, AWaitingLoopCountsAndATurningOneDoesNot)
{
    MainThreadWatchdog watchdog;
    watchdog.start();
    QTest::qWait(100);
    EXPECT_LT(watchdog.longestStall(), 100ms);
    QTimer::singleShot(0, [] { std::this_thread::sleep_for(250ms); });
    QTest::qWait(100);
    EXPECT_GE(watchdog.longestStall(), 200ms);
    watchdog.start();
    EXPECT_LT(watchdog.longestStall(), 100ms);
}

// Work queued before the watch starts belongs to what came before: a test
// that changed a preference is not charged with the save it posted.
TEST(MainThreadWatchdogTest, WorkQueuedBeforeTheStartDoesNotCount)
{
    MainThreadWatchdog watchdog;
    QMetaObject::invokeMethod(qApp, [] { std::this_thread::sleep_for(250ms); }, Qt::QueuedConnection);
    watchdog.start();
    QTest::qWait(100);
    EXPECT_LT(watchdog.longestStall(), 100ms);
}

// Work the main thread does is no wait: a long redraw on a slow or loaded
// machine is the benchmarks' business, not the device tests'.
TEST(MainThreadWatchdogTest, AThreadBusyOnItsOwnWorkIsNotHeldUp)
{
    MainThreadWatchdog watchdog;
    watchdog.start();
    bool done = false;
    QTimer::singleShot(0, [&done] {
        const auto until = std::chrono::steady_clock::now() + 250ms;
        while (std::chrono::steady_clock::now() < until) {
        }
        done = true;
    });
    ASSERT_TRUE(QTest::qWaitFor([&done] { return done; }));
    EXPECT_LT(watchdog.longestStall(), 100ms);
}
