#include "solarsystem/smallbodies/ProgressCounter.h"
#include "solarsystem/smallbodies/SliceRunner.h"

#include <gtest/gtest.h>

#include <atomic>
#include <new>
#include <thread>
#include <vector>

namespace {

TEST(ProgressCounter, OnePublicationPerWholePercent)
{
    ProgressCounter progress;
    EXPECT_FALSE(progress.take());
    progress.offer(0.5);  // the whole part does not pass 0
    EXPECT_FALSE(progress.take());
    progress.offer(1.25);
    progress.offer(1.75);
    EXPECT_EQ(progress.take(), 1.25);
    EXPECT_FALSE(progress.take());
    progress.offer(7.5);  // a jump of several percent advances the count by one only
    progress.offer(7.6);
    EXPECT_EQ(progress.take(), 7.6);
}

TEST(SliceRunner, ProcessorCountBetweenOneAndEightAndEverySliceOnce)
{
    for (const auto& [processors, operations] : {std::pair{0, 1}, {1, 1}, {3, 3}, {8, 8}, {64, 8}})
        EXPECT_EQ(SliceRunner::operationCount(processors), operations) << processors;
    std::vector<std::atomic<int>> runs(8);
    SliceRunner::run(8, [&](int slice) { runs[std::size_t(slice)].fetch_add(1); });
    for (const std::atomic<int>& r : runs)
        EXPECT_EQ(r.load(), 1);
}

// A throwing slice used to end a pool thread; the exception now reaches the caller.
TEST(SliceRunner, AnExceptionOfASliceReachesTheCaller)
{
    std::atomic<int> finished{0};
    EXPECT_THROW(SliceRunner::run(4, [&](int slice) {
        if (slice == 2)
            throw std::bad_alloc();
        finished.fetch_add(1);
    }), std::bad_alloc);
    EXPECT_EQ(finished.load(), 3);
}

// The pool's threads are shared: a job started from a slice, with every
// thread busy waiting for it, and jobs from several threads at once must
// each finish with every slice run once.
TEST(SliceRunner, JobsFromSlicesAndFromSeveralThreadsAllFinish)
{
    std::atomic<int> inner{0};
    SliceRunner::run(8, [&](int) { SliceRunner::run(8, [&](int) { inner.fetch_add(1); }); });
    EXPECT_EQ(inner.load(), 64);

    std::vector<std::atomic<int>> runs(4 * 8);
    std::vector<std::thread> callers;
    for (int caller = 0; caller < 4; ++caller) {
        callers.emplace_back([&, caller] {
            for (int round = 0; round < 50; ++round)
                SliceRunner::run(8, [&](int slice) { runs[std::size_t(caller * 8 + slice)].fetch_add(1); });
        });
    }
    for (std::thread& t : callers)
        t.join();
    for (const std::atomic<int>& r : runs)
        EXPECT_EQ(r.load(), 50);
}

}  // namespace
