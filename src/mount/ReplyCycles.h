#pragma once

#include "mount/SerialSlots.h"

#include <QtGlobal>

#include <chrono>
#include <functional>
#include <span>

// How an exchange gathers its reply: in cycles of a wait and a read, until
// the device falls silent after speaking, a carriage return has come (dome
// board), or the last cycle ends in a time-out whatever it read.
struct CycleRules {
    std::chrono::microseconds wait;
    int lastCycle;                  // this cycle ends the exchange with kTransTimeout
    qsizetype largestRead;          // most bytes one read may take
    bool endsAfterCarriageReturn;   // the reply ends one cycle after a CR, not on silence

    // Serial ports: 3 ticks, then a read that waits up to 0.1 s for a first byte.
    static CycleRules serial(std::chrono::microseconds tick);
    // The dome board's fast cycles: 2 ms, reads return at once.
    static CycleRules dome();
    // The WiFi bridge: 50 ms, then what has arrived.
    static CycleRules bridge();
};

// One read of the device: bytes read, 0 for none, negative on an error.
using ReadSome = std::function<qsizetype(char* into, qsizetype most)>;

// What the cycles gathered: the byte count, or kTransReadError or
// kTransTimeout; and how many bytes came either way.
struct GatheredReply {
    qint32 result;
    qsizetype received;
};

// Whether the bytes gathered so far make a whole reply (a terminator or a
// known length has come).
using ReplyComplete = std::function<bool(std::span<const char> gathered)>;

// Runs the cycles into `reply`, never reading past its end. With `complete`
// set, a pause does not end the reply: it ends once complete, or on the last
// cycle; a device that pauses mid-reply is not cut short.
GatheredReply gatherReply(const CycleRules& rules, const ReadSome& read, ReplyBuffer& reply,
                          const ReplyComplete& complete = {});
