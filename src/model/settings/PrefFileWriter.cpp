#include "model/settings/PrefFileWriter.h"

#include "model/settings/PrefFileFormat.h"

#include <QMetaObject>

#include <utility>

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
        PrefFileFormat::Changes changes = std::move(*m_waiting);
        m_waiting.reset();
        m_running = true;
        lock.unlock();
        const bool written = PrefFileFormat::writeChanges(m_path, changes);
        lock.lock();
        m_running = false;
        if (!written) {
            // Kept beneath any newer changes, for the next write to make.
            if (m_waiting)
                PrefFileFormat::overlay(changes, *m_waiting);
            (m_waiting ? *m_waiting : m_unwritten) = std::move(changes);
        }
        m_outcomes.push_back(written);
        m_idle.notify_all();
        QMetaObject::invokeMethod(this, "tell", Qt::QueuedConnection);
    }
}

void PrefFileWriter::finish()
{
    {
        std::unique_lock lock(m_mutex);
        m_idle.wait(lock, [this] { return !m_waiting && !m_running; });
    }
    tell();
}

void PrefFileWriter::tell()
{
    std::deque<bool> outcomes;
    {
        const std::lock_guard lock(m_mutex);
        outcomes.swap(m_outcomes);
    }
    for (const bool written : outcomes) {
        if (m_told)
            m_told(written);
    }
}

bool PrefFileWriter::isBusy() const
{
    const std::lock_guard lock(m_mutex);
    return m_waiting || m_running || !m_outcomes.empty();
}
