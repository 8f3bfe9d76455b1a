#include "solarsystem/SliceRunner.h"

#include <QThreadPool>

#include <algorithm>

namespace {

constexpr int kMaximumOperations = 8;
// How often the waiting thread looks for progress to hand on.
constexpr int kProgressPollMilliseconds = 20;

void deliver(ProgressCounter* progress, const std::function<void(double)>& report)
{
    if (!progress || !report)
        return;
    if (const std::optional<double> percent = progress->take())
        report(*percent);
}

}  // namespace

namespace SliceRunner {

int operationCount(int processorCount)
{
    return std::clamp(processorCount, 1, kMaximumOperations);
}

void run(int slices, const std::function<void(int slice)>& work, ProgressCounter* progress,
         const std::function<void(double percent)>& report)
{
    QThreadPool pool;
    pool.setMaxThreadCount(std::max(slices, 1));
    for (int slice = 0; slice < slices; ++slice)
        pool.start([&work, slice] { work(slice); });
    while (!pool.waitForDone(kProgressPollMilliseconds))
        deliver(progress, report);
    deliver(progress, report);
}

}  // namespace SliceRunner
