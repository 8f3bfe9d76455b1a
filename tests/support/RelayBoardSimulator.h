#pragma once

#include "DeviceSimulator.h"

#include <QByteArray>
#include <QList>

#include <termios.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>

// A relay/IO dome board for DeviceSimulator, driving a virtual dome in
// virtual time: relay 1 turns it toward increasing azimuth, relay 2 back, at
// a fixed number of encoder ticks a second; after the motor stops it coasts
// on for `coastTicks`. Input 1 is the encoder (active on odd ticks), input 2
// the home sensor (active on tick 0), inputs 3 and 4 the shutter's closed
// and open limits; output 8 opens the shutter, output 7 closes it. It
// answers only at its own speed, read from the line through `lineSpeed`.
class RelayBoardSimulator {
public:
    struct Dome {
        int ticksPerTurn = 200;  // even, so the encoder's level repeats each turn
        double coastTicks = 8.0;
        double ticksPerSecond = 10.0;
        double pulseTicks = 0.3;
        double shutterSeconds = 2.0;  // travel between the limits
    };

    RelayBoardSimulator(DeviceSimulator& device, std::function<speed_t()> lineSpeed);

    void setDome(const Dome& dome);
    // The board's speed code (1..6) and whether it has been set up.
    void setBoard(int speedCode, bool configured);
    // Input i (1..4) reads as a set bit when active (else a clear bit).
    void setActiveHigh(int input, bool high);
    void setPosition(double ticks);

    // Faults that can start at any moment: the board takes commands but
    // answers nothing, or answers noise ended by a carriage return.
    void setSilent(bool silent) { m_silent = silent; }
    void setGarbled(bool garbled) { m_garbled = garbled; }
    // Answers only the first byte of each reply, without its carriage return.
    void setCut(bool cut) { m_cut = cut; }
    // From `after` past the next relay or output switched on (real time),
    // the board still takes commands but answers nothing: a broken input
    // line, a board that locks up while the dome turns.
    void fallSilentAfterSwitchOn(std::chrono::milliseconds after);
    // Every reply comes `delay` after its command: a board slow to answer.
    void setReplyDelay(std::chrono::milliseconds delay) { m_replyDelay = delay; }
    // When that silence began, and when every relay and output was next
    // seen off; nothing before.
    std::optional<std::chrono::steady_clock::time_point> silentSince() const;
    std::optional<std::chrono::steady_clock::time_point> allOffAt() const;

    // Moves the virtual dome and shutter on by `span`.
    void advance(std::chrono::microseconds span);

    double position() const;  // ticks, 0 .. ticksPerTurn
    double shutter() const;   // 0 closed .. 1 open
    bool relayOn(int relay) const;
    bool outputOn(int output) const;
    int speedCode() const;
    bool isConfigured() const;
    // Commands received whole, and anything the board could not take as one.
    QList<QByteArray> commands() const;
    int malformed() const;

private:
    DeviceSimulator::Response answer(const QByteArray& pending);
    QByteArray reply(const QByteArray& command);
    void switchRelays(int relays);
    // Starts the armed silence on a switch-on; notes when all is off again.
    void noteSwitches();
    bool isSilentNow() const;
    int inputBits() const;
    int tickNow() const;

    std::function<speed_t()> m_lineSpeed;
    mutable std::mutex m_mutex;
    Dome m_dome;
    double m_position = 50.0;
    int m_relays = 0;       // bit 0 relay 1, bit 1 relay 2
    int m_direction = 0;    // of the last motion, for the coast
    double m_coastLeft = 0.0;
    double m_shutter = 0.0;
    bool m_open = false;
    bool m_close = false;
    int m_speedCode = 2;
    int m_pendingSpeed = 0;
    bool m_configured = true;
    bool m_setupMode = false;
    bool m_activeHigh[4] = {false, false, false, false};
    QList<QByteArray> m_commands;
    int m_malformed = 0;
    std::atomic<bool> m_silent = false;
    std::atomic<bool> m_garbled = false;
    std::atomic<bool> m_cut = false;
    std::atomic<std::chrono::milliseconds> m_replyDelay{std::chrono::milliseconds(0)};
    std::optional<std::chrono::milliseconds> m_silenceAfterSwitchOn;
    std::optional<std::chrono::steady_clock::time_point> m_silentFrom;
    std::optional<std::chrono::steady_clock::time_point> m_allOffAt;
};
