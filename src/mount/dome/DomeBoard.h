#pragma once

#include "mount/DebugWriter.h"
#include "mount/SerialSlots.h"

#include <QByteArray>

#include <optional>

class SerialControl;

// The relay/IO board's command set on serial slot 4: ASCII commands ended by
// a carriage return, decimal replies ended by one. Each call is one exchange
// with its own buffers, so that calls from two threads never share bytes;
// a copy may go to the worker.
class DomeBoard {
public:
    // Speed codes of the board and of the "*b" command.
    static long baudOf(quint16 code);
    static char digitOf(quint16 code);

    DomeBoard(SerialControl& serial, DebugWriter debug) : m_serial(&serial), m_debug(std::move(debug)) {}

    bool test() const;
    bool enterSetup() const;
    bool setSpeed(quint16 code) const;
    bool configureIO() const;
    bool configure50ms() const;
    void leaveSetup() const;
    // Bits 0..3 = inputs 1..4 as the board reports them.
    std::optional<int> readInputs() const;
    std::optional<int> readRelays() const;
    bool outputsOff() const;
    bool outputOn(int value) const;
    bool relaysOff() const;
    bool relayOn(char relay) const;
    bool pulseRelay(char relay) const;

private:
    struct Reply {
        bool ok;
        QByteArray text;  // without the carriage return
    };
    Reply exchange(const QByteArray& command, quint16 expected) const;
    bool send(const QByteArray& command) const;
    bool replyStarts(const QByteArray& command, const QByteArray& start) const;
    std::optional<int> number(const QByteArray& command, quint16 expected) const;

    SerialControl* m_serial;
    DebugWriter m_debug;
};
