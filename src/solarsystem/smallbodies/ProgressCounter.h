#pragma once

#include <atomic>
#include <cstdint>
#include <optional>

// Progress of a long job, published by one worker thread and read by the
// waiting thread, so that no interface object is touched off that thread.
// The worker offers percentages; one whose whole part passes the count of
// reports made so far is published, so the bar moves at most once per
// whole percent.
class ProgressCounter {
public:
    // Worker side; only one thread may offer.
    void offer(double percent)
    {
        if (int(percent) > m_reports) {
            ++m_reports;
            m_latest.store(percent, std::memory_order_relaxed);
            m_published.fetch_add(1, std::memory_order_release);
        }
    }

    // Reader side: the newest published percentage not taken yet.
    std::optional<double> take()
    {
        const std::uint64_t published = m_published.load(std::memory_order_acquire);
        if (published == m_taken)
            return std::nullopt;
        m_taken = published;
        return m_latest.load(std::memory_order_relaxed);
    }

private:
    int m_reports = 0;  // worker only
    std::atomic<double> m_latest{0.0};
    std::atomic<std::uint64_t> m_published{0};
    std::uint64_t m_taken = 0;  // reader only
};
