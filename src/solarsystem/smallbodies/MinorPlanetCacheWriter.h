#pragma once

#include "model/records/minorPlanet.h"

#include <QObject>
#include <QString>

#include <functional>
#include <span>
#include <thread>

// Writes the minor-planet cache from a table the interface thread already
// uses, so that a new table is drawn before the disk takes its 164 bytes a
// record. Only the fields the import sets and nothing after it changes are
// read (`index`, the names, the elements and epoch, `source`); every other
// byte is written as the import leaves it, 0. The file is therefore byte for
// byte the table as imported, whatever the passes have written since.
class MinorPlanetCacheWriter {
public:
    using Done = std::function<void(bool written)>;

    MinorPlanetCacheWriter() = default;
    // Waits for a running write to end: the next start reads a whole cache.
    ~MinorPlanetCacheWriter();
    MinorPlanetCacheWriter(const MinorPlanetCacheWriter&) = delete;
    MinorPlanetCacheWriter& operator=(const MinorPlanetCacheWriter&) = delete;

    // The record as the import made it.
    static minorPlanet imported(const minorPlanet& record);
    // Replaces the file at `path` with the records as imported; on failure
    // the old file stays and false is returned.
    static bool write(const QString& path, std::span<const minorPlanet> table);

    // The same on a thread of its own, after waiting for the last one;
    // `done` is called on this thread. `table` must stay where it is, and
    // its imported fields unchanged, until wait() returns.
    void start(const QString& path, std::span<const minorPlanet> table, Done done);
    // Returns once no write runs; its `done` still comes through the event loop.
    void wait();
    // A write runs, or its `done` has yet to be called.
    bool isWriting() const { return m_unreported > 0; }

private:
    // Receives the writer's post; a pending one goes with it.
    QObject m_receiver;
    int m_unreported = 0;  // writes whose `done` has yet to be called
    // Last, so that it is joined before the receiver goes.
    std::jthread m_thread;
};
