#include "solarsystem/smallbodies/SliceRunner.h"

#include <QThreadPool>

#include <algorithm>
#include <exception>
#include <mutex>
#include <vector>

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
    // One slice runs here: a thread would only add its start and the waits.
    if (slices == 1) {
        work(0);
        deliver(progress, report);
        return;
    }
    // An exception (an allocation that fails) must not end a pool thread: the
    // first is kept and thrown again here, on the caller's thread.
    std::mutex failureLock;
    std::exception_ptr failure;
    std::vector<std::function<void()>> jobs;
    jobs.reserve(std::size_t(std::max(slices, 0)));
    for (int slice = 0; slice < slices; ++slice) {
        jobs.emplace_back([&, slice] {
            acquire(&startPoint);
            try {
                work(slice);
            } catch (...) {
                const std::lock_guard<std::mutex> hold(failureLock);
                if (!failure)
                    failure = std::current_exception();
            }
            release(&endPoint);
        });
    }
    // The jobs are all made before the start point, so that it covers them too.
    QThreadPool pool;
    pool.setMaxThreadCount(std::max(slices, 1));
    release(&startPoint);
    for (std::function<void()>& job : jobs)
        pool.start(std::move(job));
    while (!pool.waitForDone(kProgressPollMilliseconds))
        deliver(progress, report);
    acquire(&endPoint);
    deliver(progress, report);
    if (failure)
        std::rethrow_exception(failure);
}

}  // namespace SliceRunner
