#pragma once

#include "PtyDevice.h"

#include <QByteArray>

#include <mutex>
#include <vector>

// The common part of the simulated mounts: a device behind a pty whose
// answers come from the mount's state (where it points, where a goto takes
// it), with every fault of the harness on offer. A goto runs for a few slew
// queries, then the mount stands on the target.
class MountSimulator {
public:
    using Response = DeviceSimulator::Response;

    MountSimulator() = default;
    MountSimulator(const MountSimulator&) = delete;
    MountSimulator& operator=(const MountSimulator&) = delete;

    QString path() const { return m_pty.path(); }
    DeviceSimulator& faults() { return m_pty.simulator(); }
    QByteArray received() { return m_pty.simulator().received(); }
    // Every request taken, as received (line ends and all).
    std::vector<QByteArray> frames() const { return m_pty.simulator().frames(); }
    void start() { m_pty.start(); }

    // Radians in the mount's own frame.
    void setPosition(double ra, double dec);
    double ra() const;
    double dec() const;
    bool isSlewing() const;

protected:
    // One request of `consumed` bytes and its answer (none when empty).
    static Response reply(qsizetype consumed, const QByteArray& bytes = {})
    {
        if (bytes.isEmpty())
            return {consumed, {}};
        return {consumed, {{bytes}}};
    }
    // A byte no request starts with, dropped unanswered.
    static Response noise() { return {1, {}, true}; }

    // Installs the mount's answers; they run on the simulator's thread under the lock.
    template <typename Respond> void serve(Respond respond)
    {
        m_pty.simulator().respond([this, respond](const QByteArray& pending) {
            const std::lock_guard lock(m_mutex);
            return respond(pending);
        });
    }
    // Stops the device; each simulator calls it first in its destructor.
    void stop() { m_pty.closeMaster(); }

    // Under the lock:
    void startGoto(double ra, double dec);
    // A running goto ends where the mount stands.
    void cancelGoto() { m_slewQueries = 0; }
    void setPositionLocked(double ra, double dec)
    {
        m_ra = ra;
        m_dec = dec;
    }
    // One slew query: true while the goto runs; the last one arrives.
    bool stillSlewing();

    mutable std::mutex m_mutex;
    double m_ra = 0.0;
    double m_dec = 0.0;

private:
    PtyDevice m_pty;
    double m_targetRA = 0.0;
    double m_targetDec = 0.0;
    int m_slewQueries = 0;
};
