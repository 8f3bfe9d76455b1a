#include "mount/ScopeThread.h"

#include "mount/MountFamily.h"
#include "mount/MountProtocols.h"
#include "mount/ScopeStatus.h"
#include "mount/links/DomeJobs.h"
#include "mount/links/SG4Jobs.h"

#include <thread>

namespace {

// The seventh refusal in a row gives up on the poll that blocks commands.
constexpr quint16 kMaxRefusals = 6;
// A Temma II goto keeps the mount busy for a while after its answer.
constexpr int kTemmaGotoTicks = 15;

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
    const std::lock_guard lock(m_mutex);
    m_family = std::move(family);
}

void ScopeThread::launchThread()
{
    if (isRunning())
        return;
    {
        const std::lock_guard lock(m_mutex);
        m_quit = false;
    }
    start();
}

void ScopeThread::post(ScopeMessage message)
{
    {
        const std::lock_guard lock(m_mutex);
        if (m_quit)
            return;
        m_queue.push_back(std::move(message));
    }
    m_wake.notify_one();
}

void ScopeThread::killRemotePort()
{
    {
        const std::lock_guard lock(m_mutex);
        m_quit = true;
        m_queue.clear();
    }
    m_wake.notify_one();
    wait();
}

void ScopeThread::run()
{
    m_refusals = 0;
    emit portMessage(kScopeMsgCheckin);
    for (;;) {
        ScopeMessage message;
        {
            std::unique_lock lock(m_mutex);
            m_wake.wait(lock, [this] { return m_quit || !m_queue.empty(); });
            if (m_quit)
                return;
            message = std::move(m_queue.front());
            m_queue.pop_front();
        }
        handlePortMessage(message);
    }
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

    if (message.id == kScopeMsgPoll && m_status.isSerialCmd)
        return;
    if (message.id == kScopeMsgGoto && m_status.isSlewing)
        return;
    if (m_status.isPolling && message.id != kScopeMsgPoll) {
        refuseDuringPoll();
        return;
    }
    m_status.isBlockPollCmd = false;
    m_refusals = 0;
    if (carryOut(message))
        emit portMessage(kScopeMsgPosition);
    else if (message.id != kScopeMsgPoll)
        // The position update ends a command; one that brings none (a Temma
        // sync) ends here, or every later poll would be skipped.
        m_status.isSerialCmd = false;
}

void ScopeThread::refuseDuringPoll()
{
    m_status.isBlockPollCmd = true;
    emit portMessage(kScopeMsgRetry);
    m_timing.pause(m_timing.refusalPause);
    if (m_refusals < kMaxRefusals) {
        ++m_refusals;
        return;
    }
    m_debug("ScopeThread: seven refusals in a row, interlock reset");
    m_status.isBlockPollCmd = false;
    m_status.resetSerialBlocks();
    m_refusals = 0;
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
    switch (message.id) {
    case kScopeMsgGoto:
        return gotoTarget(*family, message);
    case kScopeMsgPoll:
        return family->readPosition();
    case kScopeMsgSlewDetect:
        if (m_status.scopeProtocol != kProtocolIEQ45)
            family->slewDetect();
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
            family->run(command);
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
