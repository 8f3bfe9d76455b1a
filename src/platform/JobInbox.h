#pragma once

#include <deque>
#include <functional>
#include <mutex>

// Work handed from one thread to another, waiting behind a standard mutex in
// the order it was put in. The receiving thread is woken by a call by name
// through Qt's queue; the work itself crosses here, where the thread
// sanitizer can follow it (the distribution's Qt is not instrumented).
class JobInbox {
public:
    void put(std::function<void()> job)
    {
        const std::lock_guard lock(m_mutex);
        m_jobs.push_back(std::move(job));
    }

    // The oldest job, or an empty function when none waits.
    std::function<void()> take()
    {
        const std::lock_guard lock(m_mutex);
        if (m_jobs.empty())
            return {};
        std::function<void()> job = std::move(m_jobs.front());
        m_jobs.pop_front();
        return job;
    }

private:
    std::mutex m_mutex;
    std::deque<std::function<void()>> m_jobs;
};
