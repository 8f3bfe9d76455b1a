#include "mount/ReplyCycles.h"

#include <QByteArray>

#include <algorithm>
#include <thread>

namespace {

constexpr int kSerialWaitTicks = 3;
constexpr int kLastCycle = 40;
// 5 cycles of 50 ms: a reply that pauses for less than 250 ms is one reply.
constexpr int kQuietCycles = 5;
constexpr int kDomeLastCycle = 500;
constexpr std::chrono::milliseconds kDomeWait{2};
constexpr std::chrono::milliseconds kBridgeWait{50};
// A bridge read leaves room in the buffer as the bridge's own input handling did.
constexpr qsizetype kBridgeLargestRead = 1848;
constexpr char kCarriageReturn = '\r';

}  // namespace

CycleRules CycleRules::serial(std::chrono::microseconds tick)
{
    return {kSerialWaitTicks * tick, kLastCycle, kReplyBufferSize, false, kQuietCycles};
}

CycleRules CycleRules::dome()
{
    return {kDomeWait, kDomeLastCycle, kReplyBufferSize, true, kQuietCycles};
}

CycleRules CycleRules::bridge()
{
    return {kBridgeWait, kLastCycle, kBridgeLargestRead, false, kQuietCycles};
}

ReplyEnd ReplyEnd::terminator(char terminator, int count)
{
    return {[terminator, count](QByteArrayView gathered) {
                return std::count(gathered.begin(), gathered.end(), terminator) >= count;
            },
            0};
}

ReplyEnd ReplyEnd::endingIn(char terminator, qsizetype least)
{
    return {[terminator, least](QByteArrayView gathered) {
                return gathered.size() >= least && gathered.back() == terminator;
            },
            0};
}

ReplyEnd ReplyEnd::length(qsizetype bytes)
{
    return {[bytes](QByteArrayView gathered) { return gathered.size() >= bytes; }, 0};
}

ReplyEnd ReplyEnd::holding(QByteArrayView mark, qsizetype least)
{
    return {[mark = mark.toByteArray(), least](QByteArrayView gathered) {
                return gathered.size() >= least && gathered.contains(mark);
            },
            0, true};
}

namespace {

// Reads until the reply says it is complete, whatever the pauses.
GatheredReply gatherUntilComplete(const CycleRules& rules, const ReadSome& read,
                                  ReplyBuffer& reply, const ReplyEnd& end)
{
    const int lastCycle = end.lastCycle > 0 ? end.lastCycle : rules.lastCycle;
    qsizetype total = 0;
    int quiet = 0;
    for (int cycle = 1;; ++cycle) {
        std::this_thread::sleep_for(rules.wait);
        const qsizetype room = std::min(rules.largestRead, qsizetype(reply.size()) - total);
        const qsizetype got = room > 0 ? read(reply.data() + total, room) : 0;
        if (got < 0)
            return {kTransReadError, total};
        quiet = got == 0 && total > 0 ? quiet + 1 : 0;
        total += got;
        if (end.complete(QByteArrayView(reply.data(), total)))
            return {qint32(total), total};
        if (end.quietEnds && quiet >= rules.quietCycles)
            return {qint32(total), total};
        if (cycle >= lastCycle || room == 0)
            return {kTransTimeout, total};
    }
}

}  // namespace

GatheredReply gatherReply(const CycleRules& rules, const ReadSome& read, ReplyBuffer& reply,
                          const ReplyEnd& end)
{
    if (end.complete)
        return gatherUntilComplete(rules, read, reply, end);
    qsizetype total = 0;
    int quiet = 0;
    for (int cycle = 1;; ++cycle) {
        std::this_thread::sleep_for(rules.wait);
        const bool crCame = total > 0 && reply[std::size_t(total - 1)] == kCarriageReturn;
        const qsizetype room = std::min(rules.largestRead, qsizetype(reply.size()) - total);
        const qsizetype got = room > 0 ? read(reply.data() + total, room) : 0;
        if (got < 0)
            return {kTransReadError, total};
        if (cycle == rules.lastCycle)
            return {kTransTimeout, total + got};
        if (rules.endsAfterCarriageReturn) {
            total += got;
            if (crCame)
                return {qint32(total), total};
        } else {
            quiet = got == 0 && total > 0 ? quiet + 1 : 0;
            if (quiet >= rules.quietCycles)
                return {qint32(total), total};
            total += got;
        }
    }
}

DrainResult drainUntilQuiet(const DrainRules& rules, const ReadSome& read)
{
    using Clock = std::chrono::steady_clock;
    const Clock::time_point start = Clock::now();
    Clock::time_point lastByte = start;
    ReplyBuffer dropped;
    qsizetype total = 0;
    for (;;) {
        const qsizetype got = read(dropped.data(), qsizetype(dropped.size()));
        if (got < 0)
            return {total, false};
        const Clock::time_point now = Clock::now();
        if (got > 0)
            lastByte = now;
        total += got;
        if (now - lastByte >= rules.quiet)
            return {total, true};
        if (now - start >= rules.most || total >= rules.mostBytes)
            return {total, false};
        std::this_thread::sleep_for(rules.step);
    }
}
