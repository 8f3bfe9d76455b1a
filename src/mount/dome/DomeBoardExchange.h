#pragma once

#include "mount/dome/DomeBoard.h"
#include "mount/SerialSlots.h"
#include "mount/SlotExchange.h"

#include <functional>
#include <optional>

// What a set-up of the board took: `ok` when every step it was asked for
// answered.
struct DomeSetupResult {
    bool ok = false;
    bool speedSet = false;
    bool configured = false;
};

// What a connect asks of the worker, taken from the settings on the main
// thread.
struct DomeConnectAsk {
    quint16 chosen = 0;  // the Connect menu's port (1-based), 0 for none
    quint16 ports = 0;
    quint16 code = 2;    // the board's speed code as the settings have it
    bool isBoardSetup = true;
    bool readHome = false;  // calibrated: the home sensor is read at once
};

// How a connect ended on the worker.
struct DomeConnection {
    quint16 port = 0;            // 1-based; 0 when no board answered
    quint16 code = 0;            // the speed code it answered at
    bool speedScanned = false;   // found by the speed scan, not at the settings' speed
    std::optional<DomeSetupResult> setup;  // a board not set up before
    std::optional<int> inputs;   // the inputs read for home
    SlotExchange::PortSearch ports;  // the pass over every port at the settings' speed
};

// The dome board's exchanges as a copy carries them onto the mount's
// worker: the connect's port and speed scan and the board's set-up.
class DomeBoardExchange : public SlotExchange {
public:
    // The speed is chosen for each try, so the slot's own is never used.
    DomeBoardExchange(SerialControl& serial, DebugWriter debug, ScopeThreadTiming timing)
        : SlotExchange(serial, kSerialSlotDome, 0, debug, std::move(timing)), m_board(serial, std::move(debug)) {}

    const DomeBoard& board() const { return m_board; }
    // The inputs after pending input is cleared; nothing when unanswered.
    std::optional<int> readInputs() const;
    // Enters the board's set-up mode, gives it speed `code` (none for 0)
    // and, when `configure`, its inputs and 50 ms cycle, then leaves; the
    // line then runs at the speed the board took.
    DomeSetupResult setup(quint16 code, bool configure) const;
    // Tries the chosen port then every port at the settings' speed, then
    // each port at each speed, fastest first; the slot stays open on the
    // port found only. Gives up between two tries once `wanted` is false.
    DomeConnection connect(const DomeConnectAsk& ask, const std::function<bool()>& wanted) const;

private:
    // Where the board answers at `baud`, the chosen port (1-based) first.
    PortSearch findAt(quint16 chosen, quint16 ports, long baud, const std::function<bool()>& wanted) const;
    void scanSpeeds(DomeConnection& found, quint16 ports, const std::function<bool()>& wanted) const;

    DomeBoard m_board;
};
