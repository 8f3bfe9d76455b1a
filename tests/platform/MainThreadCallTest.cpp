#include "platform/MainThreadCall.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QTest>
#include <QThread>

#include <thread>
#include <vector>

// Work handed over by a worker runs on the main thread, in the order it was
// posted, and none of it is lost when many items wait at once.
TEST(MainThreadCall, WorkFromAnotherThreadRunsOnTheMainThreadInOrder)
{
    constexpr int kItems = 500;
    std::vector<int> seen;
    bool allOnMain = true;
    QThread* const mainThread = QCoreApplication::instance()->thread();
    std::thread worker([&] {
        for (int i = 0; i < kItems; ++i)
            MainThreadCall::post([&, i] {
                allOnMain = allOnMain && QThread::currentThread() == mainThread;
                seen.push_back(i);
            });
    });
    worker.join();
    ASSERT_TRUE(QTest::qWaitFor([&] { return seen.size() == kItems; }, 10000));
    EXPECT_TRUE(allOnMain);
    for (int i = 0; i < kItems; ++i)
        ASSERT_EQ(seen[i], i);
}
