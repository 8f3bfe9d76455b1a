#pragma once

#include "mount/SerialSlots.h"

#include <QByteArrayView>
#include <QtGlobal>

#include <chrono>
#include <functional>

// How an exchange gathers its reply: in cycles of a wait and a read, until
// the device falls silent after speaking, a carriage return has come (dome
// board), or the last cycle ends in a time-out whatever it read.
struct CycleRules {
    std::chrono::microseconds wait;
    int lastCycle;                  // this cycle ends the exchange with kTransTimeout
    qsizetype largestRead;          // most bytes one read may take
    bool endsAfterCarriageReturn;   // the reply ends one cycle after a CR, not on silence
    // Cycles in a row that read nothing, after the device spoke, that end a
    // reply; fewer are a pause inside it (a loaded adapter, a slow controller).
    int quietCycles;

    // Serial ports: 3 ticks, then a read of what has come; 5 quiet cycles
    // (15 ticks, 250 ms) end a reply.
    static CycleRules serial(std::chrono::microseconds tick);
    // The dome board's fast cycles: 2 ms, reads return at once.
    static CycleRules dome();
    // The WiFi bridge: 50 ms, then what has arrived; 250 ms of quiet end a reply.
    static CycleRules bridge();
};

// Where a reply ends when the device says so (a terminator, a known length):
// pauses inside the reply then never end it early, so that its tail is not
// taken as the start of the next reply; only the last cycle does. Without
// `complete` the cycle rules decide (replies with neither end nor length).
struct ReplyEnd {
    std::function<bool(QByteArrayView gathered)> complete;
    int lastCycle = 0;   // 0: the cycle rules' own
    // The cycle rules' quiet after the device spoke ends the reply too: a
    // reply known by what it holds, not by an end the device marks, which a
    // garbled one never completes.
    bool quietEnds = false;

    // Complete once `count` bytes equal to `terminator` have come.
    static ReplyEnd terminator(char terminator, int count = 1);
    // Complete once at least `least` bytes have come and the last is
    // `terminator`: binary replies whose body may hold that byte.
    static ReplyEnd endingIn(char terminator, qsizetype least = 1);
    // Complete at `bytes` bytes.
    static ReplyEnd length(qsizetype bytes);
    // Complete once at least `least` bytes have come and they hold `mark`;
    // without it, ended by the quiet.
    static ReplyEnd holding(QByteArrayView mark, qsizetype least);
};

// One read of the device: bytes read, 0 for none, negative on an error.
using ReadSome = std::function<qsizetype(char* into, qsizetype most)>;

// What the cycles gathered: the byte count, or kTransReadError or
// kTransTimeout; and how many bytes came either way.
struct GatheredReply {
    qint32 result;
    qsizetype received;
};

// Runs the cycles into `reply`, never reading past its end.
GatheredReply gatherReply(const CycleRules& rules, const ReadSome& read, ReplyBuffer& reply,
                          const ReplyEnd& end = {});

// How long a drain of the line goes on: until nothing has come for `quiet`,
// reading every `step`, and never longer than `most` or past `mostBytes`
// however the device keeps talking.
struct DrainRules {
    std::chrono::microseconds step;
    std::chrono::microseconds quiet;
    std::chrono::microseconds most;
    qsizetype mostBytes;
};

// What a drain dropped, and whether it ended on the quiet: one ended by its
// limits, or by a read error, left a line still busy.
struct DrainResult {
    qsizetype dropped;
    bool quiet;
};

// Reads and drops what comes, by the rules: the rest of a reply that came
// late or garbled, so that it is not read as the head of the next one. It
// ends at once on a read error.
DrainResult drainUntilQuiet(const DrainRules& rules, const ReadSome& read);
