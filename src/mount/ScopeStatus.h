#pragma once

#include <atomic>

// The mount's state that the main thread, the worker and the protocol
// operations all read and write. Each field is atomic; the interlock flags
// keep polls and commands apart, and the transport's slot lock keeps their
// exchanges apart.
struct ScopeStatus {
    std::atomic<bool> isPolling = false;       // a poll is in flight
    std::atomic<bool> isSerialCmd = false;     // a command is in flight
    std::atomic<bool> isBlockPolling = false;  // the dome board suspended polling
    std::atomic<bool> isSlewing = false;
    std::atomic<bool> isThreadUpdate = false;  // a new position for the telescope view
    std::atomic<bool> isConnected = false;
    std::atomic<bool> isNoResponse = false;    // the last exchange got no answer
    std::atomic<bool> isTemmaSync = false;     // a Temma II mount knows where it points
    std::atomic<bool> usesStar = false;        // the mount was aligned on a star
    std::atomic<bool> isGeminiLevel4 = false;  // the Gemini answers level-4 commands
    // A fixed pulse that ends a direction slew, in ticks (0 none), and
    // whether the connected mount's panel has its buttons locked; both copied
    // from the panels as each command is sent.
    std::atomic<int> fixedPulseTicks = 0;
    std::atomic<bool> isPanelLocked = false;
    std::atomic<int> guideRatePercent = 50;    // the Temma panel's guide rate
    std::atomic<int> scopeProtocol = 0;        // 1..13 while connected, 0 none
    std::atomic<long> baudRate = 9600;         // an LX200 GPS's speed, set by its speed command
    // Last position read from the mount, radians of date; written before the
    // worker's position message, which orders it for the main thread.
    std::atomic<double> scopeRA = -1.0;
    std::atomic<double> scopeDec = 0.0;
    // Polls in the order the worker began them, and the last of them that
    // read a position: a command's position update (a stop that learnt the
    // goto ended) brings none read.
    std::atomic<unsigned> pollsBegun = 0;
    std::atomic<unsigned> lastPollRead = 0;
    // SynScan's software-sync offsets (mount minus sky), radians; the
    // chart's reticle and the telescope view take them off the position.
    std::atomic<double> synScanRAError = 0.0;
    std::atomic<double> synScanDecError = 0.0;

    void resetSerialBlocks()
    {
        isPolling = false;
        isSerialCmd = false;
    }
};
