#include "model/settings/PrefFileWriter.h"

#include "model/settings/PrefFileFormat.h"

#include <QMetaObject>

#include <utility>

using PrefFileFormat::WriteResult;

PrefFileWriter::PrefFileWriter(QString path, Told told) : m_path(std::move(path)), m_told(std::move(told)) {}

PrefFileWriter::~PrefFileWriter()
{
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_wake.notify_one();
    if (m_thread.joinable())
        m_thread.join();
}

void PrefFileWriter::write(PrefFileFormat::Changes changes)
{
    {
        const std::lock_guard lock(m_mutex);
        if (!m_waiting) {
            if (changes.isEmpty() && m_unwritten.isEmpty())
                return;
            m_waiting = std::exchange(m_unwritten, {});
        }
        PrefFileFormat::overlay(*m_waiting, changes);
        if (!m_thread.joinable())
            m_thread = std::thread([this] { serve(); });
    }
    m_wake.notify_one();
}

void PrefFileWriter::serve()
{
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_wake.wait(lock, [this] { return m_waiting || m_stopping; });
        if (!m_waiting)
            return;
        // Moved, not copied: the owner's thread holds no share of the table the write reads.
        m_writing = std::exchange(m_waiting, std::nullopt);
        lock.unlock();
        const WriteResult result = PrefFileFormat::writeChanges(m_path, *m_writing);
        lock.lock();
        keepResult(result);
        m_idle.notify_all();
        if (m_heldSince) {
            // As the writer goes, a lock held still is not waited for.
            if (m_stopping)
                return;
            m_wake.wait_for(lock, kLockRetry, [this] { return m_stopping; });
        }
    }
}

void PrefFileWriter::keepResult(WriteResult result)
{
    PrefFileFormat::Changes unwritten = *std::exchange(m_writing, std::nullopt);
    const bool lockHeld = result == WriteResult::LockHeld;
    if (result != WriteResult::Written) {
        // Kept beneath any newer changes, for the next try or write to make.
        if (m_waiting)
            PrefFileFormat::overlay(unwritten, *m_waiting);
        if (m_waiting || lockHeld)
            m_waiting = std::move(unwritten);
        else
            m_unwritten = std::move(unwritten);
    }
    if (lockHeld) {
        noteHold();
        return;
    }
    m_heldSince.reset();
    m_holdTold = false;
    post(result == WriteResult::Written ? Outcome::Written : Outcome::Failed);
}

void PrefFileWriter::noteHold()
{
    const auto now = std::chrono::steady_clock::now();
    if (!m_heldSince)
        m_heldSince = now;
    if (!m_holdTold && now - *m_heldSince > kLongHold) {
        m_holdTold = true;
        post(Outcome::HeldBack);
    }
}

void PrefFileWriter::post(Outcome outcome)
{
    m_outcomes.push_back(outcome);
    QMetaObject::invokeMethod(this, "tell", Qt::QueuedConnection);
}

void PrefFileWriter::settle()
{
    {
        std::unique_lock lock(m_mutex);
        m_idle.wait(lock, [this] { return !m_writing && (!m_waiting || m_heldSince); });
    }
    tell();
}

bool PrefFileWriter::finish(std::chrono::milliseconds bound)
{
    bool finished = false;
    {
        std::unique_lock lock(m_mutex);
        finished = m_idle.wait_for(lock, bound, [this] { return !m_waiting && !m_writing; });
    }
    tell();
    return finished;
}

void PrefFileWriter::tell()
{
    std::deque<Outcome> outcomes;
    {
        const std::lock_guard lock(m_mutex);
        outcomes.swap(m_outcomes);
    }
    for (const Outcome outcome : outcomes) {
        if (m_told)
            m_told(outcome);
    }
}

bool PrefFileWriter::isBusy() const
{
    const std::lock_guard lock(m_mutex);
    return m_waiting || m_writing || !m_outcomes.empty();
}

PrefFileFormat::Changes PrefFileWriter::pending() const
{
    const std::lock_guard lock(m_mutex);
    // Built afresh, so that the copy shares no table with the writer's.
    PrefFileFormat::Changes changes;
    PrefFileFormat::overlay(changes, m_unwritten);
    for (const auto* part : {&m_writing, &m_waiting}) {
        if (*part)
            PrefFileFormat::overlay(changes, **part);
    }
    return changes;
}
