#include "solarsystem/SliceRunner.h"

#include <QThreadPool>

#include <algorithm>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace {

constexpr int kMaximumOperations = 8;
// How often the waiting thread looks for progress to hand on.
constexpr int kProgressPollMilliseconds = 20;

// Qt's thread pool orders a job after everything its caller did before
// starting it, and the caller's wait after everything the job did, through
// futexes that ThreadSanitizer cannot see; in such a build these tell it.
// Start and end have points of their own, so that jobs are not ordered
// after one another.
char startPoint;
char endPoint;

void release([[maybe_unused]] char* point)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_release(point);
#endif
}

void acquire([[maybe_unused]] char* point)
{
#if defined(__SANITIZE_THREAD__)
    __tsan_acquire(point);
#endif
}

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
    release(&startPoint);
    for (int slice = 0; slice < slices; ++slice) {
        pool.start([&work, slice] {
            acquire(&startPoint);
            work(slice);
            release(&endPoint);
        });
    }
    while (!pool.waitForDone(kProgressPollMilliseconds))
        deliver(progress, report);
    acquire(&endPoint);
    deliver(progress, report);
}

}  // namespace SliceRunner
