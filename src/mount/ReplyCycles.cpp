#include "mount/ReplyCycles.h"

#include <algorithm>
#include <thread>

namespace {

constexpr int kSerialWaitTicks = 3;
constexpr int kLastCycle = 40;
constexpr int kDomeLastCycle = 500;
constexpr std::chrono::milliseconds kDomeWait{2};
constexpr std::chrono::milliseconds kBridgeWait{50};
// A bridge read leaves room in the buffer as the bridge's own input handling did.
constexpr qsizetype kBridgeLargestRead = 1848;
constexpr char kCarriageReturn = '\r';

}  // namespace

CycleRules CycleRules::serial(std::chrono::microseconds tick)
{
    return {kSerialWaitTicks * tick, kLastCycle, kReplyBufferSize, false};
}

CycleRules CycleRules::dome()
{
    return {kDomeWait, kDomeLastCycle, kReplyBufferSize, true};
}

CycleRules CycleRules::bridge()
{
    return {kBridgeWait, kLastCycle, kBridgeLargestRead, false};
}

GatheredReply gatherReply(const CycleRules& rules, const ReadSome& read, ReplyBuffer& reply,
                          const ReplyComplete& complete)
{
    qsizetype total = 0;
    for (int cycle = 1;; ++cycle) {
        std::this_thread::sleep_for(rules.wait);
        const bool crCame = total > 0 && reply[std::size_t(total - 1)] == kCarriageReturn;
        const qsizetype room = std::min(rules.largestRead, qsizetype(reply.size()) - total);
        const qsizetype got = room > 0 ? read(reply.data() + total, room) : 0;
        if (got < 0)
            return {kTransReadError, total};
        if (cycle == rules.lastCycle)
            return {kTransTimeout, total + got};
        if (complete) {
            total += got;
            if (total > 0 && complete(std::span<const char>(reply.data(), std::size_t(total))))
                return {qint32(total), total};
        } else if (rules.endsAfterCarriageReturn) {
            total += got;
            if (crCame)
                return {qint32(total), total};
        } else {
            if (got == 0 && total > 0)
                return {qint32(total), total};
            total += got;
        }
    }
}
