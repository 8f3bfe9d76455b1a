#pragma once

#include "mount/DebugWriter.h"
#include "mount/ReplyCycles.h"
#include "mount/ScopeThread.h"

#include <QByteArray>
#include <QStringList>

#include <functional>
#include <optional>

class SerialControl;

// A device's exchanges on one serial slot as the mount's worker runs them.
// A copy carries all it needs and owns its buffers, so a job still queued
// when the device's controller goes touches nothing of it; the slot's lock
// keeps the exchanges apart.
class SlotExchange {
public:
    SlotExchange(SerialControl& serial, quint16 slot, long baud, DebugWriter debug,
                 ScopeThreadTiming timing, bool evenParity = false)
        : m_serial(&serial), m_slot(slot), m_baud(baud), m_evenParity(evenParity), m_debug(std::move(debug)),
          m_timing(std::move(timing)) {}

    // One command after the slot's input is cleared, read until `end` says
    // the reply is whole (silence when it has no rule); nothing on a time-out.
    std::optional<QByteArray> send(const QByteArray& command, quint16 expected,
                                   const ReplyEnd& end = {}) const;
    // The last reply, though whole, was garbled or not the command's: the
    // next exchange drains what is left of it first.
    void replyWasBad() const;
    // Opens the slot on port `index` (0-based) and keeps it open when
    // `answers` finds the device there.
    bool openIf(quint16 index, const std::function<bool()>& answers) const;
    // The first of `ports` whose device answers, 1-based (0 when none); the
    // slot stays open on that port only.
    quint16 firstAnswering(quint16 ports, const std::function<bool()>& answers) const;

    // What a search found, and what it could not try.
    struct PortSearch {
        // A port a device of this program holds, by its name and slot.
        struct HeldPort {
            QString name;
            quint16 slot;
        };
        quint16 port = 0;  // 1-based; 0 when none answered
        quint16 tried = 0;
        quint16 listed = 0;  // the ports in the list searched
        QStringList inUse;  // the names of ports another program holds
        QList<HeldPort> heldHere;
        QStringList unanswered;  // the names of ports opened where the device did not answer

        // Why nothing was found, as the user reads it: the ports another
        // program or another of this program's devices holds, and whether
        // `device` ("the focuser") was silent on the others; `fallback` when
        // no port was held.
        QString failure(const QString& device, const QString& fallback) const;
    };
    // The chosen port (1-based) only, or with none chosen each of `ports`
    // in turn, until `answers` finds the device; the slot stays open on
    // that port only. The search stops early once `wanted` (when given)
    // says it is no longer wanted.
    PortSearch search(quint16 chosen, quint16 ports, const std::function<bool()>& answers,
                      const std::function<bool()>& wanted = {}) const;
    // The chosen port (1-based) first, then with it silent every one of
    // `ports`: what the pass over every port found.
    PortSearch searchFrom(quint16 chosen, quint16 ports, const std::function<bool()>& answers,
                          const std::function<bool()>& wanted = {}) const;
    void close() const;
    void pause(int ticks) const
    {
        if (ticks > 0)
            m_timing.pause(ticks * m_timing.tick);
    }
    void pause(std::chrono::microseconds span) const { m_timing.pause(span); }
    const DebugWriter& debug() const { return m_debug; }
    SerialControl& serial() const { return *m_serial; }
    quint16 slot() const { return m_slot; }

private:
    // Opens an available port and keeps it open when `answers`: whether the
    // device answered; none when the port would not open.
    std::optional<bool> openAndAsk(quint16 index, const std::function<bool()>& answers) const;

    SerialControl* m_serial;
    quint16 m_slot;
    long m_baud;
    bool m_evenParity;
    DebugWriter m_debug;
    ScopeThreadTiming m_timing;
};
