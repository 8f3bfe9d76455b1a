#include "solarsystem/smallbodies/SliceRunner.h"

#include <QThreadPool>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <exception>
#include <mutex>

#if defined(__SANITIZE_THREAD__)
#include <sanitizer/tsan_interface.h>
#endif

namespace {

constexpr int kMaximumOperations = 8;
// How often the waiting thread looks for progress to hand on.
constexpr auto kProgressPoll = std::chrono::milliseconds(20);

// Qt's thread pool orders a job after everything its caller did before
// starting it through futexes that ThreadSanitizer cannot see; in such a
// build this tells it. The end is ordered by the job's own mutex.
char startPoint;

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

// The threads outlive the jobs: a chart pass or an import runs several jobs
// in a row, and starting eight threads for each cost more than a small job.
// Idle threads end after the pool's expiry time.
struct LastingPool : QThreadPool {
    LastingPool() { setMaxThreadCount(kMaximumOperations); }
};

QThreadPool& lastingPool()
{
    static LastingPool pool;
    return pool;
}

// A job run from a slice runs on its own thread: the pool's threads might
// all be waiting for it.
thread_local bool inSlice = false;

// The slices still running and the first exception thrown by one.
struct Job {
    std::mutex lock;
    std::condition_variable finished;
    int running = 0;
    std::exception_ptr failure;
};

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
    if (slices <= 1 || inSlice) {
        for (int slice = 0; slice < slices; ++slice)
            work(slice);
        deliver(progress, report);
        return;
    }
    Job job;
    job.running = slices;
    release(&startPoint);
    for (int slice = 0; slice < slices; ++slice) {
        lastingPool().start([&job, &work, slice] {
            acquire(&startPoint);
            inSlice = true;
            // An exception (an allocation that fails) must not end a pool
            // thread: the first is kept and thrown again on the caller's thread.
            std::exception_ptr failure;
            try {
                work(slice);
            } catch (...) {
                failure = std::current_exception();
            }
            inSlice = false;
            const std::lock_guard<std::mutex> hold(job.lock);
            if (failure && !job.failure)
                job.failure = failure;
            if (--job.running == 0)
                job.finished.notify_one();
        });
    }
    std::unique_lock<std::mutex> hold(job.lock);
    while (!job.finished.wait_for(hold, kProgressPoll, [&job] { return job.running == 0; })) {
        hold.unlock();
        deliver(progress, report);
        hold.lock();
    }
    hold.unlock();
    deliver(progress, report);
    if (job.failure)
        std::rethrow_exception(job.failure);
}

}  // namespace SliceRunner
