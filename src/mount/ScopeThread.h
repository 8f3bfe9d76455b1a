#pragma once

#include "mount/DebugWriter.h"
#include "mount/ScopeMessage.h"

#include <QThread>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>

class DomeBoardJobs;
class DomeFollower;
class MountFamily;
class SG4Jobs;
struct ScopeStatus;

// The worker's clocks; tests run them in virtual time.
struct ScopeThreadTiming {
    std::chrono::microseconds tick{16667};              // 1/60 s
    std::function<void(std::chrono::microseconds)> sleep;  // the thread's own sleep when unset
    // What the jobs' time limits are measured on; the steady clock when unset.
    std::function<std::chrono::steady_clock::time_point()> clock{};

    // Blocks the calling thread for `span`.
    void pause(std::chrono::microseconds span) const;
    std::chrono::steady_clock::time_point now() const;
};

// The mount worker: carries out the numbered messages the main thread posts,
// one at a time in arrival order (a stop ahead of waiting polls), and answers
// through portMessage (check-in 100, position 104, failed poll 117, line
// lost 118, all-sky movie 301), which the main thread handles. Polls and
// commands take turns on this one thread, so neither waits for the other.
// Posting never waits. While it waits for work it watches the mount's line,
// so that a device that goes away is reported whether or not a poll runs.
// Each other device's port has one of its own (PortWorkers), which carries
// that device's jobs and never a mount message.
class ScopeThread : public QThread {
    Q_OBJECT
public:
    ScopeThread(ScopeStatus& status, DebugWriter debug, ScopeThreadTiming timing = {},
                QObject* parent = nullptr);
    ~ScopeThread() override;

    // The connected mount's protocol family; none while disconnected.
    void setFamily(std::shared_ptr<MountFamily> family);
    void setDomeBoard(DomeBoardJobs* jobs) { m_domeBoard = jobs; }
    void setDomeFollowers(DomeFollower* domeBoard, DomeFollower* ddw)
    {
        m_domeFollower = domeBoard;
        m_ddwFollower = ddw;
    }
    // Set before the worker starts, as are the dome links.
    void setSG4(SG4Jobs* sg4) { m_sg4 = sg4; }
    // True once the mount's line has hung up; asked on the worker while a
    // family is set. Set before the worker starts.
    void setLineCheck(std::function<bool()> hungUp) { m_lineCheck = std::move(hungUp); }

    // Starts the worker unless it runs; it checks in once it does. A worker
    // told to stop but not yet gone carries on (and checks in again) rather
    // than be waited for.
    void launchThread();
    // Queues a message for the worker.
    void post(ScopeMessage message);
    // Queues work of the mount's own (a connection's handshakes) in turn
    // with the messages.
    void postJob(std::function<void()> job);
    // Queues a stop ahead of the polls waiting, not of the commands: a stop
    // must still come after the slew it ends.
    void postStop(ScopeMessage message);
    // Stops the worker and drops what it had not started, so that the next
    // launch starts afresh.
    void killRemotePort();
    // Tells the worker to stop after what it is doing, without waiting.
    void askToStop();
    // True once the worker was told to stop: a long job gives up.
    bool isStopping() const { return m_quit; }
    // Asked by the families' exchanges on the worker before each exchange:
    // from the second exchange of a message on, carries out a stop that is
    // waiting (behind nothing but polls) at once,
    // and tells whether the operation in progress must drop its remaining
    // exchanges (anything but a poll, once a stop went out).
    bool betweenExchanges();

signals:
    // A message for the main thread.
    void portMessage(int id);

protected:
    void run() override;

private:
    void handlePortMessage(const ScopeMessage& message);
    // Carries a mount message out; true when a position update follows.
    bool carryOut(const ScopeMessage& message);
    bool carryOut(MountFamily& family, const ScopeMessage& message);
    bool gotoTarget(MountFamily& family, const ScopeMessage& message);
    // Reports a hung-up line once per family.
    void checkLine();
    // The last reference to a family goes on the main thread, where its timers live.
    void release(std::shared_ptr<MountFamily> family);
    ScopeStatus& m_status;
    DebugWriter m_debug;
    ScopeThreadTiming m_timing;
    DomeBoardJobs* m_domeBoard = nullptr;
    DomeFollower* m_domeFollower = nullptr;
    DomeFollower* m_ddwFollower = nullptr;
    SG4Jobs* m_sg4 = nullptr;

    struct Queued {
        ScopeMessage message;
        bool isStop = false;
    };
    // The first stop in the queue with only polls ahead of it.
    std::optional<ScopeMessage> takeWaitingStop();

    std::mutex m_mutex;
    std::condition_variable m_wake;
    std::deque<Queued> m_queue;
    std::deque<std::function<void()>> m_jobs;  // one per queued job message
    std::atomic<bool> m_quit = false;
    // Set by the worker, under the lock, once it has seen the quit and goes.
    bool m_leaving = false;
    // The worker's own: whether the message in progress drops its
    // remaining exchanges after a stop, and whether a stop went out during it.
    bool m_dropAfterStop = false;
    bool m_stopRan = false;
    bool m_inStop = false;
    int m_exchangesBefore = 0;  // of the message in progress
    std::shared_ptr<MountFamily> m_family;
    std::function<bool()> m_lineCheck;
    bool m_lineLost = false;  // reported for this family
};
