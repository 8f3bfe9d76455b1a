#pragma once

#include <deque>
#include <functional>
#include <mutex>

// The dome board's exchanges waiting for its port's worker. The worker
// runs them in turn, and a long job runs those waiting between its cycles,
// so that the shutter's limits are read while the dome turns. Once closed
// it runs none: the controller they act on is going.
class DomeExchanges {
public:
    void push(std::function<void()> work);
    // Runs the exchanges waiting, in order; on the worker.
    void runWaiting();
    // Drops those waiting and waits for the one running.
    void close();

private:
    std::mutex m_queueMutex;
    std::deque<std::function<void()>> m_waiting;
    bool m_closed = false;
    // Held while one runs.
    std::mutex m_running;
};
