#include "camera/guide/HidWorker.h"

#include <condition_variable>
#include <mutex>
#include <utility>

struct HidWorker::Call {
    Work work;
    Undo undo;
    bool started = false;
    bool done = false;
    bool abandoned = false;
    bool result = false;
    std::chrono::steady_clock::time_point startedAt;
};

// What the caller and the thread share; the thread keeps it alive when it
// outlives the worker.
struct HidWorker::Shared {
    std::mutex mutex;
    std::condition_variable wake;
    std::condition_variable answered;
    std::unique_ptr<HidDevice> device;
    std::shared_ptr<Call> pending;
    bool busy = false;
    bool stopping = false;
    bool finished = false;
};

HidWorker::HidWorker(std::unique_ptr<HidDevice> device, QByteArray safeReport)
    : m_safeReport(std::move(safeReport)),
      m_shared(std::make_shared<Shared>())
{
    m_shared->device = std::move(device);
    m_thread = std::thread(&HidWorker::serve, m_shared);
}

HidWorker::~HidWorker()
{
    std::unique_lock lock(m_shared->mutex);
    m_shared->stopping = true;
    m_shared->wake.notify_all();
    const bool finished = m_shared->answered.wait_for(lock, kStopWait, [this] { return m_shared->finished; });
    lock.unlock();
    if (finished)
        m_thread.join();
    else
        m_thread.detach();
}

HidOpen HidWorker::open(quint16 vendorId, quint16 productId)
{
    // Written on the thread before the call is marked done, and read here
    // only once it was seen done.
    const auto outcome = std::make_shared<HidOpen>(HidOpen::NoAnswer);
    const std::optional<bool> answered = run(
        [=](HidDevice& device) {
            *outcome = device.open(vendorId, productId);
            return *outcome == HidOpen::Opened;
        },
        [](HidDevice& device) { device.close(); }, kOpenTimeout);
    return answered ? *outcome : HidOpen::NoAnswer;
}

bool HidWorker::sendReport(const QByteArray& data, std::chrono::milliseconds timeout)
{
    return run([data](HidDevice& device) { return device.sendReport(data); },
               [safe = m_safeReport](HidDevice& device) { device.sendReport(safe); }, timeout)
        .value_or(false);
}

bool HidWorker::close()
{
    return run([](HidDevice& device) { return device.close(); }, {}, kCloseTimeout).value_or(false);
}

void HidWorker::serve(const std::shared_ptr<Shared>& shared)
{
    std::unique_lock lock(shared->mutex);
    for (;;) {
        shared->wake.wait(lock, [&] { return shared->stopping || shared->pending; });
        if (shared->stopping)
            break;
        const std::shared_ptr<Call> call = std::exchange(shared->pending, nullptr);
        call->started = true;
        call->startedAt = std::chrono::steady_clock::now();
        shared->busy = true;
        shared->answered.notify_all();
        lock.unlock();
        const bool result = call->work(*shared->device);
        lock.lock();
        if (call->abandoned && result && call->undo) {
            lock.unlock();
            call->undo(*shared->device);
            lock.lock();
        }
        call->result = result;
        call->done = true;
        shared->busy = false;
        shared->answered.notify_all();
    }
    lock.unlock();
    shared->device->close();
    lock.lock();
    shared->finished = true;
    shared->answered.notify_all();
}

std::optional<bool> HidWorker::run(Work work, Undo undo, std::chrono::milliseconds timeout)
{
    std::unique_lock lock(m_shared->mutex);
    if (m_shared->busy || m_shared->pending || m_shared->stopping)
        return std::nullopt;
    const auto call = std::make_shared<Call>();
    call->work = std::move(work);
    call->undo = std::move(undo);
    m_shared->pending = call;
    m_shared->wake.notify_all();
    if (!m_shared->answered.wait_for(lock, kStartWait, [&] { return call->started; })) {
        m_shared->pending.reset();
        return std::nullopt;
    }
    if (!m_shared->answered.wait_until(lock, call->startedAt + timeout, [&] { return call->done; })) {
        call->abandoned = true;
        return std::nullopt;
    }
    return call->result;
}
