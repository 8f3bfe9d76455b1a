#pragma once

#include "model/settings/PrefFileFormat.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

// Writes the settings file on a thread of its own from the changes the
// owner's thread hands it, so that a save never holds that thread up. One
// write runs at a time; changes still waiting when newer ones come are
// joined by them, the newer value of a key winning, so the file ends with
// the last value handed of each key. Each write puts its changes on top of
// the file as it is then (another copy of the program may have written it)
// through the file format's safe path: the file holds the old settings or
// the new, never part of either. While another writer holds the file's
// lock the changes wait, tried again every kLockRetry, and are written once
// it lets go; a wait longer than kLongHold is told, once per hold. The
// changes of a write that failed go with the next.
class PrefFileWriter final : public QObject {
    Q_OBJECT
public:
    // Whether a write that ran reached the file, or that changes have waited
    // longer than kLongHold for another writer's lock.
    enum class Outcome { Written, Failed, HeldBack };
    // Told each outcome on the owner's thread.
    using Told = std::function<void(Outcome)>;

    static constexpr std::chrono::milliseconds kLockRetry{250};
    // Long enough that a writer's ordinary hold is not told; short enough
    // that a crash meanwhile is unlikely to lose changes without a word.
    static constexpr std::chrono::seconds kLongHold{5};

    PrefFileWriter(QString path, Told told);
    // Finishes a write that runs or waits, then stops; changes that find
    // the lock held once more are not written.
    ~PrefFileWriter() override;
    PrefFileWriter(const PrefFileWriter&) = delete;
    PrefFileWriter& operator=(const PrefFileWriter&) = delete;

    // Changes none, with none kept from a failed write, write nothing.
    void write(PrefFileFormat::Changes changes);
    // Returns once no write is being made, having told their outcomes: the
    // changes handed are in the file, failed, or wait for a lock another
    // writer holds, which this thread never waits for.
    void settle();
    // Returns once no write runs or waits, having told their outcomes, or
    // once `bound` has passed: false then.
    bool finish(std::chrono::milliseconds bound);
    // A write runs or waits, or its outcome is yet to be told.
    bool isBusy() const;
    // The changes handed and not yet written, the newer on top: what the
    // file will hold once they are.
    PrefFileFormat::Changes pending() const;

private:
    void serve();
    // Under the lock, after a write: keeps the changes it did not make for
    // the next, and posts what the owner's thread is to be told.
    void keepResult(PrefFileFormat::WriteResult result);
    // Under the lock, after a try found the lock held: posts HeldBack once
    // the hold has lasted kLongHold.
    void noteHold();
    void post(Outcome outcome);
    // Tells the outcomes the thread has left, in their order. The thread
    // calls it by name through Qt's queue; the outcomes themselves cross
    // under the mutex, where the thread sanitizer can follow them.
    Q_INVOKABLE void tell();

    const QString m_path;
    const Told m_told;
    mutable std::mutex m_mutex;
    std::condition_variable m_wake;
    std::condition_variable m_idle;
    std::optional<PrefFileFormat::Changes> m_waiting;
    // Those of the write under way; only the thread changes them, so it
    // reads them unlocked as it writes.
    std::optional<PrefFileFormat::Changes> m_writing;
    // Those of the last write, when it failed and none waited.
    PrefFileFormat::Changes m_unwritten;
    // Since when tries have found the lock held, while the last did: the
    // changes wait for the next.
    std::optional<std::chrono::steady_clock::time_point> m_heldSince;
    // This hold has been told.
    bool m_holdTold = false;
    bool m_stopping = false;
    std::deque<Outcome> m_outcomes;
    // Started at the first write; last, so it is joined before the rest goes.
    std::thread m_thread;
};
