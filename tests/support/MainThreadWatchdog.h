#pragma once

#include <QCoreApplication>
#include <QTimer>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <charconv>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>

// Watches the main thread while a device test runs: between two ticks of a
// timer on its loop, how long the thread lay asleep, as on a lock or a read
// (an exchange waiting on the main thread for a device). The longest such
// sleep is kept. Time the thread ran, or waited for a processor, or lost to
// the machine it runs on is not counted: a loaded machine is not the
// program holding its loop. A thread beside it looks at the main thread's
// state and scheduling counts every millisecond or two.
class MainThreadWatchdog {
public:
    // Made on the thread it watches.
    explicit MainThreadWatchdog(std::chrono::milliseconds tick = std::chrono::milliseconds(10))
        : m_stat(taskFile("stat")), m_schedstat(taskFile("schedstat"))
    {
        m_timer.setInterval(tick);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { closeGap(); });
    }
    ~MainThreadWatchdog()
    {
        stop();
        ::close(m_stat);
        ::close(m_schedstat);
    }
    MainThreadWatchdog(const MainThreadWatchdog&) = delete;
    MainThreadWatchdog& operator=(const MainThreadWatchdog&) = delete;

    // Starts afresh: what happened before does not count, nor the work it
    // left queued for the loop (such as the settings save a changed
    // preference posts).
    void start()
    {
        QCoreApplication::sendPostedEvents();
        stopSampler();
        m_longest = 0;
        m_asleepInGap = 0;
        m_timer.start();
        m_sampling = true;
        m_sampler = std::thread([this] { sample(); });
    }
    void stop()
    {
        m_timer.stop();
        stopSampler();
        closeGap();
    }

    // The longest the main thread slept between two ticks of its loop.
    std::chrono::milliseconds longestStall() const
    {
        return std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::nanoseconds(std::max(m_longest, m_asleepInGap.load())));
    }

private:
    struct Look {
        std::chrono::steady_clock::time_point at;
        bool asleep = false;
        std::int64_t ran = 0;      // ns on a processor
        std::int64_t queued = 0;   // ns waiting for one
        std::int64_t turns = 0;    // times it was given one
    };

    static int taskFile(const char* name)
    {
        const std::string path = "/proc/self/task/" + std::to_string(::gettid()) + "/" + name;
        return ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    }
    static std::string readAll(int fd)
    {
        char buffer[1024];
        const ssize_t got = fd < 0 ? -1 : ::pread(fd, buffer, sizeof buffer, 0);
        return got > 0 ? std::string(buffer, std::size_t(got)) : std::string();
    }

    // The main thread's state letter follows its name's closing parenthesis;
    // S (a wait it may leave on a signal) and D (one it may not) are asleep.
    std::optional<Look> look() const
    {
        const std::string stat = readAll(m_stat);
        const std::string counts = readAll(m_schedstat);
        const std::size_t name = stat.rfind(')');
        if (name == std::string::npos || name + 2 >= stat.size() || counts.empty())
            return std::nullopt;
        Look now{std::chrono::steady_clock::now(), stat[name + 2] == 'S' || stat[name + 2] == 'D'};
        const char* at = counts.data();
        const char* end = at + counts.size();
        for (std::int64_t* field : {&now.ran, &now.queued, &now.turns}) {
            while (at < end && *at == ' ')
                ++at;
            at = std::from_chars(at, end, *field).ptr;
        }
        return now;
    }

    void sample()
    {
        std::optional<Look> last = look();
        while (m_sampling) {
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
            const std::optional<Look> now = look();
            if (!now)
                return;
            if (last && last->asleep && now->asleep) {
                const std::int64_t span = std::chrono::nanoseconds(now->at - last->at).count();
                // Woken in between: only what it neither ran nor queued for.
                const std::int64_t slept = now->turns == last->turns
                                               ? span
                                               : span - (now->ran - last->ran) - (now->queued - last->queued);
                m_asleepInGap += std::max<std::int64_t>(slept, 0);
            }
            last = now;
        }
    }

    void closeGap() { m_longest = std::max(m_longest, m_asleepInGap.exchange(0)); }

    void stopSampler()
    {
        m_sampling = false;
        if (m_sampler.joinable())
            m_sampler.join();
    }

    const int m_stat;
    const int m_schedstat;
    QTimer m_timer;
    std::thread m_sampler;
    std::atomic<bool> m_sampling{false};
    std::atomic<std::int64_t> m_asleepInGap{0};
    std::int64_t m_longest = 0;
};
