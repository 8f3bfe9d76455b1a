#pragma once

#include "mount/DebugWriter.h"
#include "mount/SerialSlots.h"

#include <QByteArray>

#include <optional>

class SerialControl;

// The relay/IO board's command set on serial slot 4: ASCII commands ended by
// a carriage return, decimal replies ended by one. Each call is one exchange
// with its own buffers, so that calls from two threads never share bytes.
class DomeBoard {
public:
    // Speed codes of the board and of the "*b" command.
    static long baudOf(quint16 code);
    static char digitOf(quint16 code);

    DomeBoard(SerialControl& serial, const DebugWriter& debug) : m_serial(serial), m_debug(debug) {}

    bool test();
    bool enterSetup();
    bool setSpeed(quint16 code);
    bool configureIO();
    bool configure50ms();
    void leaveSetup();
    // Bits 0..3 = inputs 1..4 as the board reports them.
    std::optional<int> readInputs();
    std::optional<int> readRelays();
    bool outputsOff();
    bool outputOn(int value);
    bool relaysOff();
    bool relayOn(char relay);
    bool pulseRelay(char relay);

private:
    struct Reply {
        bool ok;
        QByteArray text;  // without the carriage return
    };
    Reply exchange(const QByteArray& command, quint16 expected);
    bool send(const QByteArray& command);
    bool replyStarts(const QByteArray& command, const QByteArray& start);
    std::optional<int> number(const QByteArray& command, quint16 expected);

    SerialControl& m_serial;
    const DebugWriter& m_debug;
};
