#pragma once

#include "camera/sg4/SG4Protocol.h"
#include "mount/DebugWriter.h"

#include <QtGlobal>

#include <atomic>
#include <functional>
#include <optional>
#include <vector>

class SerialControl;

// The 'X' image transfer on the worker thread: blocks of data bytes and an
// XOR checksum byte, each answered 'K' (kept), 'R' (send it again, at most
// three times in a row) or 'S' (the user stopped it, or the transfer is
// given up). The pixels go into a buffer of the transfer's own, which nobody
// else sees until it is complete.
class SG4BlockTransfer {
public:
    struct Request {
        SG4Protocol::ReadoutGeometry geometry;
        float blockSeconds = 10.0f;     // the time limit of one block
        bool skipStatusBytes = false;   // continuous exposure: drop lone 'E'/'R' reads
    };
    // The share done, 0..100, after each odd block.
    using Progress = std::function<void(int percent)>;

    static constexpr int kMostRepeats = 3;
    // Progress bytes read past, at most, while waiting for the 'X' echo.
    static constexpr int kMostProgressAhead = 16;

    // `abort` is the user's stop request; the transfer clears it once it has answered 'S'.
    SG4BlockTransfer(SerialControl& serial, const DebugWriter& debug, std::atomic<bool>& abort)
        : m_serial(serial), m_debug(debug), m_abort(abort) {}

    // The pixels, rows from the top; none after a failure or a stop.
    std::optional<std::vector<quint16>> run(const Request& request, const Progress& progress);

private:
    // Sends the one-byte answer to a block.
    bool answer(char ack);
    // Stops the camera's side of a transfer that is given up.
    std::nullopt_t giveUp();

    SerialControl& m_serial;
    const DebugWriter& m_debug;
    std::atomic<bool>& m_abort;
};
