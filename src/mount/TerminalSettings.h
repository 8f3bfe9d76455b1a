#pragma once

#include <termios.h>

#include <optional>

// The terminal settings of a device port: raw bytes, 8 data bits, one stop
// bit, parity only when asked, and a read that waits at most 0.1 s for its
// first byte (or returns at once where the device's replies are polled fast).
namespace TerminalSettings {

// The terminal's speed code for a rate in baud; none for a rate it lacks.
std::optional<speed_t> speedCode(long baud);

// `current` turned into the device setting. Even parity keeps the port's
// odd/even choice, which is even on a fresh port.
termios raw(const termios& current, bool evenParity, bool waitForFirstByte);

}  // namespace TerminalSettings
