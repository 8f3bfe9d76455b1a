#include "mount/ScopeThread.h"

#include "mount/MountFamily.h"
#include "mount/MountProtocols.h"
#include "mount/ScopeStatus.h"
#include "mount/links/DomeJobs.h"
#include "mount/links/SG4Jobs.h"

#include <iterator>
#include <thread>
#include <utility>

namespace {

// A Temma II goto keeps the mount busy for a while after its answer.
constexpr int kTemmaGotoTicks = 15;
// How often an idle worker looks at the mount's line.
constexpr std::chrono::milliseconds kLineCheckPeriod{200};

bool isMountMessage(int id)
{
    return id >= kScopeMsgCheckin && id < kDomeMsgTrack;
}

}  // namespace

ScopeThread::ScopeThread(ScopeStatus& status, DebugWriter debug, ScopeThreadTiming timing,
                         QObject* parent)
    : QThread(parent), m_status(status), m_debug(std::move(debug)), m_timing(std::move(timing))
{
}

ScopeThread::~ScopeThread()
{
    killRemotePort();
}

void ScopeThread::setFamily(std::shared_ptr<MountFamily> family)
{
    // The family let go goes after the lock, on the calling (main) thread.
    std::shared_ptr<MountFamily> previous;
    {
        const std::lock_guard lock(m_mutex);
        previous = std::exchange(m_family, std::move(family));
        m_lineLost = false;
    }
}

void ScopeThread::launchThread()
{
    bool resumed = false;
    {
        const std::lock_guard lock(m_mutex);
        if (isRunning() && !m_leaving) {
            // A worker told to stop, still in its last job, carries on
            // instead: waiting here for that job (a long exchange) would
            // hold the main thread. Its queue was emptied, as a new one's is.
            resumed = m_quit.exchange(false);
            if (!resumed)
                return;
        }
    }
    if (resumed) {
        emit portMessage(kScopeMsgCheckin);
        return;
    }
    // Only one past its last look at the queue is waited for: it is leaving.
    wait();
    {
        const std::lock_guard lock(m_mutex);
        m_quit = false;
        m_leaving = false;
    }
    start();
}

void ScopeThread::post(ScopeMessage message)
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_quit)
            return;
        m_queue.push_back({std::move(message), false});
    }
    m_wake.notify_one();
}

void ScopeThread::postJob(std::function<void()> job)
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_quit)
            return;
        m_jobs.push_back(std::move(job));
        m_queue.push_back({{kScopeMsgJob, {}, {}, {}}, false});
    }
    m_wake.notify_one();
}

void ScopeThread::postStop(ScopeMessage message)
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_quit)
            return;
        auto place = m_queue.end();
        while (place != m_queue.begin() && std::prev(place)->message.id == kScopeMsgPoll)
            --place;
        m_queue.insert(place, {std::move(message), true});
    }
    m_wake.notify_one();
}

void ScopeThread::askToStop()
{
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
        m_queue.clear();
        m_jobs.clear();
    }
    m_wake.notify_one();
}

void ScopeThread::killRemotePort()
{
    askToStop();
    wait();
}

void ScopeThread::run()
{
    emit portMessage(kScopeMsgCheckin);
    for (;;) {
        ScopeMessage message;
        bool isStop = false;
        // Taken with its message under one lock: a quit may empty the jobs
        // as soon as the lock is let go.
        std::function<void()> job;
        {
            std::unique_lock lock(m_mutex);
            const bool woken =
                m_wake.wait_for(lock, kLineCheckPeriod, [this] { return m_quit || !m_queue.empty(); });
            if (m_quit) {
                m_leaving = true;
                return;
            }
            if (!woken) {
                lock.unlock();
                checkLine();
                continue;
            }
            message = std::move(m_queue.front().message);
            isStop = m_queue.front().isStop;
            m_queue.pop_front();
            if (message.id == kScopeMsgJob) {
                job = std::move(m_jobs.front());
                m_jobs.pop_front();
            }
        }
        // A stop's own exchanges are never cut short for the next stop.
        m_inStop = isStop;
        if (message.id != kScopeMsgJob)
            handlePortMessage(message);
        else if (job)
            job();
        m_inStop = false;
        checkLine();
    }
}

void ScopeThread::checkLine()
{
    {
        const std::lock_guard lock(m_mutex);
        if (!m_family || m_lineLost || !m_lineCheck)
            return;
    }
    if (!m_lineCheck())
        return;
    {
        const std::lock_guard lock(m_mutex);
        if (!m_family || m_lineLost)
            return;
        m_lineLost = true;
    }
    m_debug("ScopeThread: the mount's line hung up");
    emit portMessage(kScopeMsgLineLost);
}

void ScopeThread::release(std::shared_ptr<MountFamily> family)
{
    // Only the worker's copy is left when the main thread dropped the family
    // during the operation: hand it over rather than destroy it here.
    if (family.use_count() == 1)
        QMetaObject::invokeMethod(this, [family = std::move(family)] {}, Qt::QueuedConnection);
}

void ScopeThread::handlePortMessage(const ScopeMessage& message)
{
    switch (message.id) {
    case kSG4MsgImageDownload:
        if (m_sg4)
            m_sg4->sg4ImageDownload();
        return;
    case kSG4MsgAllSkyMovie:
        emit portMessage(kSG4MsgAllSkyMovie);
        return;
    case kDomeMsgTrack:
    case kDomeMsgCalibrate:
    case kDomeMsgHome:
    case kDomeMsgRelayWestOn:
    case kDomeMsgRelayEastOn:
        if (m_domeBoard) {
            using Job = void (DomeBoardJobs::*)();
            static constexpr Job kJobs[] = {
                &DomeBoardJobs::domeTrackTimer, &DomeBoardJobs::domeCalibrateTimer,
                &DomeBoardJobs::domeHomeTimer, &DomeBoardJobs::domeRelayWestOnTimer,
                &DomeBoardJobs::domeRelayEastOnTimer};
            (m_domeBoard->*kJobs[message.id - kDomeMsgTrack])();
        }
        return;
    default:
        break;
    }
    if (!isMountMessage(message.id))
        return;

    if (message.id == kScopeMsgPoll && m_status.isSerialCmd) {
        // Skipped: a command is on its way, whose answer brings the position.
        m_status.isPolling = false;
        return;
    }
    if (message.id == kScopeMsgGoto && m_status.isSlewing)
        return;
    m_stopRan = false;
    m_exchangesBefore = 0;
    m_dropAfterStop = message.id != kScopeMsgPoll;
    const unsigned poll = message.id == kScopeMsgPoll ? ++m_status.pollsBegun : 0;
    const bool updated = carryOut(message);
    m_dropAfterStop = false;
    if (updated && poll != 0)
        m_status.lastPollRead = poll;
    if (updated)
        emit portMessage(kScopeMsgPosition);
    else if (message.id == kScopeMsgPoll && m_stopRan)
        // Cut short for a stop: the mount answered, the next poll reads it.
        m_status.isPolling = false;
    else if (message.id == kScopeMsgPoll)
        emit portMessage(kScopeMsgPollFailed);
    else
        // The position update ends a command; one that brings none (a Temma
        // sync) ends here, or every later poll would be skipped.
        m_status.isSerialCmd = false;
}

std::optional<ScopeMessage> ScopeThread::takeWaitingStop()
{
    const std::lock_guard lock(m_mutex);
    for (auto queued = m_queue.begin(); queued != m_queue.end(); ++queued) {
        if (queued->isStop) {
            ScopeMessage stop = std::move(queued->message);
            m_queue.erase(queued);
            return stop;
        }
        if (queued->message.id != kScopeMsgPoll)
            return std::nullopt;
    }
    return std::nullopt;
}

bool ScopeThread::betweenExchanges()
{
    if (m_inStop || QThread::currentThread() != this)
        return false;
    // Before the first exchange a stop would overtake the slew it ends.
    if (m_exchangesBefore++ == 0)
        return false;
    m_inStop = true;
    while (const std::optional<ScopeMessage> stop = takeWaitingStop()) {
        m_debug("ScopeThread: a stop goes out between exchanges");
        carryOut(*stop);
        m_stopRan = true;
    }
    m_inStop = false;
    return m_stopRan && m_dropAfterStop;
}

bool ScopeThread::carryOut(const ScopeMessage& message)
{
    std::shared_ptr<MountFamily> family;
    {
        const std::lock_guard lock(m_mutex);
        family = m_family;
    }
    if (!family)
        return false;
    const bool updated = carryOut(*family, message);
    release(std::move(family));
    return updated;
}

bool ScopeThread::carryOut(MountFamily& family, const ScopeMessage& message)
{
    switch (message.id) {
    case kScopeMsgGoto:
        return gotoTarget(family, message);
    case kScopeMsgPoll:
        return family.readPosition();
    case kScopeMsgOperation:
        family.run(message.operation);
        return message.operation.positionAfter;
    case kScopeMsgSlewDetect:
        if (m_status.scopeProtocol != kProtocolIEQ45)
            family.slewDetect();
        return false;
    case kScopeMsgLX200Command:
    case kScopeMsgTemmaCommand:
    case kScopeMsgNexStarCommand:
    case kScopeMsgGeminiCommand:
    case kScopeMsgIOptronCommand:
    case kScopeMsgIEQ45Command: {
        const std::optional<qint32> code = message.code();
        if (!code)
            return false;
        const PanelCommand command =
            panelCommand(message.id, *code, message.modifiers.testFlag(Qt::AltModifier));
        if (command.operation != MountOperation::None)
            family.run(command);
        return command.positionAfter;
    }
    default:
        return false;
    }
}

bool ScopeThread::gotoTarget(MountFamily& family, const ScopeMessage& message)
{
    const std::optional<GotoPayload> target = message.gotoTarget();
    if (!target)
        return false;
    const bool accepted = family.gotoPosition(target->ra, target->dec);
    if (m_status.scopeProtocol == kProtocolTemma)
        m_timing.pause(kTemmaGotoTicks * m_timing.tick);
    if (!accepted)
        return false;
    if (m_domeFollower && m_domeFollower->isTracking())
        m_domeFollower->followMount();
    else if (m_ddwFollower && m_ddwFollower->isTracking())
        m_ddwFollower->followMount();
    return true;
}

void ScopeThreadTiming::pause(std::chrono::microseconds span) const
{
    if (sleep)
        sleep(span);
    else
        std::this_thread::sleep_for(span);
}

std::chrono::steady_clock::time_point ScopeThreadTiming::now() const
{
    return clock ? clock() : std::chrono::steady_clock::now();
}
