#include "camera/canon/Gphoto2CanonSdk.h"

#include "camera/canon/Gphoto2Worker.h"
#include "camera/CameraModules.h"
#include "platform/DeviceModule.h"
#include "platform/MainThreadCall.h"

#include <QDeadlineTimer>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <condition_variable>
#include <future>
#include <mutex>
#include <optional>

using namespace CanonIds;

namespace {

constexpr std::uint32_t kPropertyChanged = 0x101;

}  // namespace

// Shared, so an answer that comes after the deadline has somewhere to go.
struct Gphoto2CanonSdk::Reply {
    std::mutex mutex;
    std::condition_variable answered;
    std::optional<Error> error;
};

Gphoto2CanonSdk::Gphoto2CanonSdk(QObject* parent)
    : Gphoto2CanonSdk(
          [](const std::atomic<bool>& cancelled) -> std::unique_ptr<Gphoto2Device> {
              // libgphoto2 is loaded with the first connection.
              auto* create = DeviceModule::functionOrWarn<CameraModules::CreateGphoto2Device>(
                  CameraModules::kGphoto2, CameraModules::kCreateGphoto2Device, QStringLiteral("the Canon camera"));
              return create ? create(cancelled) : nullptr;
          },
          parent)
{
}

Gphoto2CanonSdk::Gphoto2CanonSdk(Gphoto2Device::Factory factory, QObject* parent)
    : QObject(parent), m_factory(std::move(factory))
{
}

Gphoto2CanonSdk::~Gphoto2CanonSdk()
{
    stopWorker();
}

CanonSdk::Error Gphoto2CanonSdk::call(std::function<Error(Gphoto2Worker&)> work, int deadlineMs)
{
    if (!m_worker)
        return kErrInternal;
    if (m_longCalls > 0 || isLate())
        return kErrDeviceBusy;
    const auto reply = std::make_shared<Reply>();
    Gphoto2Worker* worker = m_worker.get();
    worker->post([worker, reply, work = std::move(work)] {
        const Error error = work(*worker);
        const std::lock_guard lock(reply->mutex);
        reply->error = error;
        reply->answered.notify_all();
    });
    std::unique_lock lock(reply->mutex);
    // A system-clock deadline: the steady clock's wait is one the thread
    // sanitizer cannot follow.
    const auto deadline = std::chrono::system_clock::now() + std::chrono::milliseconds(deadlineMs);
    if (!reply->answered.wait_until(lock, deadline, [&] { return reply->error.has_value(); })) {
        m_late = reply;
        return kErrDeviceBusy;
    }
    return *reply->error;
}

bool Gphoto2CanonSdk::isLate()
{
    if (!m_late)
        return false;
    bool answered = false;
    {
        const std::lock_guard lock(m_late->mutex);
        answered = m_late->error.has_value();
    }
    // Let go only once its lock is released: the reply holds the mutex.
    if (!answered)
        return true;
    m_late.reset();
    return false;
}

template <class T, class Work>
CanonSdk::Error Gphoto2CanonSdk::ask(T& out, Work work, int deadlineMs)
{
    // The worker may still write the value after the deadline: it is shared,
    // and `out` takes it only from an answer in time.
    const auto value = std::make_shared<T>(out);
    const Error error = call([value, work](Gphoto2Worker& worker) { return work(worker, *value); }, deadlineMs);
    if (error == kOk)
        out = *value;
    return error;
}

template <class Result>
void Gphoto2CanonSdk::later(std::function<Result(Gphoto2Worker&)> work, std::function<void(const Result&)> answer,
                            Result failed)
{
    if (!m_worker) {
        QTimer::singleShot(0, this, [answer = std::move(answer), failed = std::move(failed)] { answer(failed); });
        return;
    }
    const QPointer<Gphoto2CanonSdk> self(this);
    const std::uint64_t generation = m_generation;
    Gphoto2Worker* worker = m_worker.get();
    worker->post([worker, self, generation, work = std::move(work), answer = std::move(answer),
                  failed = std::move(failed)] {
        Result result = work(*worker);
        MainThreadCall::post([self, generation, answer, failed, result = std::move(result)] {
            if (self)
                answer(self->m_generation == generation ? result : failed);
        });
    });
}

void Gphoto2CanonSdk::step(std::function<Error(Gphoto2Worker&)> work, StepDone done)
{
    using Answer = std::pair<Error, QString>;
    later<Answer>(
        [work = std::move(work)](Gphoto2Worker& worker) {
            const Error error = work(worker);
            return Answer{error, error == kOk ? QString() : worker.errorText()};
        },
        [done = std::move(done)](const Answer& answer) { done(answer.first, answer.second); },
        Answer{kErrInternal, QStringLiteral("The connection was ended.")});
}

void Gphoto2CanonSdk::findCameras(StepDone done)
{
    step([](Gphoto2Worker& worker) { return worker.detect(); }, std::move(done));
}

void Gphoto2CanonSdk::countCameras(UInt32Done done)
{
    using Answer = std::pair<Error, std::uint32_t>;
    later<Answer>(
        [](Gphoto2Worker& worker) {
            std::uint32_t count = 0;
            const Error error = worker.childCount(count);
            return Answer{error, count};
        },
        [done = std::move(done)](const Answer& answer) { done(answer.first, answer.second); }, Answer{kErrInternal, 0});
}

void Gphoto2CanonSdk::chooseCamera(int index, StepDone done)
{
    step([index](Gphoto2Worker& worker) { return worker.choose(index); }, std::move(done));
}

void Gphoto2CanonSdk::startSession(StepDone done)
{
    step([](Gphoto2Worker& worker) { return worker.openSession(); }, std::move(done));
}

void Gphoto2CanonSdk::readPropertyDesc(std::uint32_t property, DescDone done)
{
    using Answer = std::pair<Error, std::vector<std::int32_t>>;
    later<Answer>(
        [property](Gphoto2Worker& worker) {
            Answer answer{kOk, {}};
            answer.first = worker.propertyDesc(property, answer.second);
            return answer;
        },
        [done = std::move(done)](const Answer& answer) { done(answer.first, answer.second); }, Answer{kErrInternal, {}});
}

void Gphoto2CanonSdk::readPropertySize(std::uint32_t property, std::uint32_t param, UInt32Done done)
{
    readPropertyData(property, param, [done = std::move(done)](Error error, const QByteArray& data) {
        done(error, error == kOk ? static_cast<std::uint32_t>(data.size()) : 0);
    });
}

void Gphoto2CanonSdk::readDeviceInfo(DeviceInfoDone done)
{
    using Answer = std::pair<Error, DeviceInfo>;
    later<Answer>(
        [](Gphoto2Worker& worker) {
            Answer answer{kOk, {}};
            answer.first = worker.deviceInfo(answer.second);
            return answer;
        },
        [done = std::move(done)](const Answer& answer) { done(answer.first, answer.second); }, Answer{kErrInternal, {}});
}

void Gphoto2CanonSdk::writeCapacity(const Capacity&, Done done)
{
    later<Error>([](Gphoto2Worker& worker) { return worker.setCapacity(); }, std::move(done), kErrInternal);
}

void Gphoto2CanonSdk::postStatusCommand(std::uint32_t command, Done done)
{
    later<Error>([command](Gphoto2Worker& worker) { return worker.statusCommand(command); }, std::move(done),
                 kErrInternal);
}

void Gphoto2CanonSdk::post(std::function<void(Gphoto2Worker&)> work)
{
    if (!m_worker)
        return;
    Gphoto2Worker* worker = m_worker.get();
    worker->post([worker, work = std::move(work)] { work(*worker); });
}

CanonSdk::Error Gphoto2CanonSdk::initializeSdk()
{
    startWorker();
    return call([](Gphoto2Worker& worker) { return worker.initialize(); });
}

void Gphoto2CanonSdk::startSdk(StepDone done)
{
    startWorker();
    step([](Gphoto2Worker& worker) { return worker.initialize(); }, std::move(done));
}

void Gphoto2CanonSdk::startWorker()
{
    if (!m_worker) {
        m_thread = std::make_unique<QThread>();
        m_worker = std::make_unique<Gphoto2Worker>(m_factory);
        m_worker->moveToThread(m_thread.get());
        Gphoto2Worker* worker = m_worker.get();
        // The worker's news reaches the main thread through its own
        // queue; news from a worker since stopped is dropped there.
        const QPointer<Gphoto2CanonSdk> self(this);
        const std::uint64_t generation = ++m_generation;
        const auto toMain = [self, generation](std::function<void(Gphoto2CanonSdk&)> answer) {
            MainThreadCall::post([self, generation, answer = std::move(answer)] {
                if (self && self->m_generation == generation)
                    answer(*self);
            });
        };
        connect(worker, &Gphoto2Worker::objectEvent, worker, [toMain](quint32 event, quint32 item) {
            toMain([event, item](Gphoto2CanonSdk& sdk) {
                if (sdk.m_objectHandler)
                    sdk.m_objectHandler(event, item);
            });
        }, Qt::DirectConnection);
        connect(worker, &Gphoto2Worker::propertyChanged, worker, [toMain](quint32 property, quint32 param) {
            toMain([property, param](Gphoto2CanonSdk& sdk) {
                if (sdk.m_propertyHandler)
                    sdk.m_propertyHandler(kPropertyChanged, property, param);
            });
        }, Qt::DirectConnection);
        connect(worker, &Gphoto2Worker::cameraGone, worker, [toMain] {
            toMain([](Gphoto2CanonSdk& sdk) {
                if (sdk.m_stateHandler)
                    sdk.m_stateHandler(kStateShutDown, 0);
            });
        }, Qt::DirectConnection);
        connect(worker, &Gphoto2Worker::commandDone, worker, [toMain](quint64 id, quint32 error) {
            toMain([id, error](Gphoto2CanonSdk& sdk) { sdk.finishCommand(id, error); });
        }, Qt::DirectConnection);
        connect(worker, &Gphoto2Worker::valueRead, worker, [toMain](quint64 id, quint32 error, const QByteArray& data) {
            toMain([id, error, data](Gphoto2CanonSdk& sdk) { sdk.finishRead(id, error, data); });
        }, Qt::DirectConnection);
        connect(worker, &Gphoto2Worker::downloadProgress, worker, [toMain](quint64 id, double percent) {
            toMain([id, percent](Gphoto2CanonSdk& sdk) { sdk.takeProgress(id, percent); });
        }, Qt::DirectConnection);
        connect(worker, &Gphoto2Worker::downloadChunk, worker,
                [toMain](quint64 id, const QByteArray& bytes, qsizetype at, qsizetype length) {
            toMain([id, bytes, at, length](Gphoto2CanonSdk& sdk) { sdk.takeChunk(id, bytes, at, length); });
        }, Qt::DirectConnection);
        connect(worker, &Gphoto2Worker::downloadDone, worker, [toMain](quint64 id, quint32 error) {
            toMain([id, error](Gphoto2CanonSdk& sdk) { sdk.finishDownload(id, error); });
        }, Qt::DirectConnection);
        connect(worker, &Gphoto2Worker::frameDone, worker, [toMain](quint64 id, quint32 error, const QByteArray& jpeg) {
            toMain([id, error, jpeg](Gphoto2CanonSdk& sdk) { sdk.finishFrame(id, error, jpeg); });
        }, Qt::DirectConnection);
        m_thread->start();
        if (m_previousEnded.valid()) {
            // The worker before lets go of the camera first, unless it is
            // stuck past the stop time.
            const std::shared_future<void> previous = m_previousEnded;
            worker->post([previous] { previous.wait_for(std::chrono::milliseconds(kStopDeadlineMs)); });
        }
    }
}

CanonSdk::Error Gphoto2CanonSdk::terminateSdk()
{
    letWorkerEnd();
    return kOk;
}

void Gphoto2CanonSdk::letWorkerEnd()
{
    if (!m_worker)
        return;
    Gphoto2Worker* worker = m_worker.get();
    // What the worker still sends is dropped on arrival.
    const std::uint64_t ending = m_generation++;
    const auto ended = std::make_shared<std::promise<void>>();
    m_previousEnded = ended->get_future().share();
    const QPointer<Gphoto2CanonSdk> self(this);
    worker->post([worker, ended, self, ending] {
        worker->shutDown();
        ended->set_value();
        QThread::currentThread()->quit();
        MainThreadCall::post([self, ending] {
            if (self)
                self->reap(ending);
        });
    });
    m_ending[ending] = Ending{std::move(m_thread), std::move(m_worker)};
    // The session gets half the stop time to end; then a transfer still
    // running is cancelled.
    QTimer::singleShot(kStopDeadlineMs / 2, this, [this, ending] {
        if (const auto found = m_ending.find(ending); found != m_ending.end())
            found->second.worker->cancel();
    });
    failPending();
}

void Gphoto2CanonSdk::reap(std::uint64_t ending)
{
    const auto found = m_ending.find(ending);
    // Its last job has run: the thread is leaving its event loop.
    if (found != m_ending.end() && found->second.thread->wait(QDeadlineTimer(kStopDeadlineMs)))
        m_ending.erase(found);
}

void Gphoto2CanonSdk::stopWorker()
{
    if (m_worker) {
        Gphoto2Worker* worker = m_worker.get();
        ++m_generation;
        worker->post([worker] {
            worker->shutDown();
            QThread::currentThread()->quit();
        });
        endOrLeave(std::move(m_thread), std::move(m_worker));
    }
    for (auto& [generation, ending] : m_ending)
        endOrLeave(std::move(ending.thread), std::move(ending.worker));
    m_ending.clear();
    failPending();
}

void Gphoto2CanonSdk::endOrLeave(std::unique_ptr<QThread> thread, std::unique_ptr<Gphoto2Worker> worker)
{
    // The session gets half the time to end; then a transfer still running is cancelled.
    bool ended = thread->wait(QDeadlineTimer(kStopDeadlineMs / 2));
    if (!ended) {
        worker->cancel();
        ended = thread->wait(QDeadlineTimer(kStopDeadlineMs / 2));
    }
    if (ended)
        return;
    // A gphoto2 call that does not return: its thread is left to end by
    // itself, and the worker is let go on the main thread once it has.
    QThread* running = thread.release();
    const std::shared_ptr<Gphoto2Worker> stuck(worker.release());
    connect(running, &QThread::finished, running, [running, stuck] {
        running->wait();
        running->deleteLater();
    });
}

void Gphoto2CanonSdk::failPending()
{
    m_longCalls = 0;
    m_late.reset();
    // What was under way ends in failure, from the event loop as always.
    for (auto& [id, pending] : m_downloads)
        QTimer::singleShot(0, this, [done = std::move(pending.done)] { done(kErrInternal); });
    for (auto& [id, done] : m_frames)
        QTimer::singleShot(0, this, [done = std::move(done)] { done(kErrInternal, {}); });
    for (auto& [id, done] : m_commands)
        if (done)
            QTimer::singleShot(0, this, [done = std::move(done)] { done(kErrInternal); });
    for (auto& [id, done] : m_writes)
        QTimer::singleShot(0, this, [done = std::move(done)] { done(kErrInternal); });
    for (auto& [id, done] : m_reads)
        if (done)
            QTimer::singleShot(0, this, [done = std::move(done)] { done(kErrInternal, {}); });
    m_downloads.clear();
    m_frames.clear();
    m_commands.clear();
    m_writes.clear();
    m_reads.clear();
}

CanonSdk::Error Gphoto2CanonSdk::getCameraList()
{
    return call([](Gphoto2Worker& worker) { return worker.detect(); }, kSessionDeadlineMs);
}

CanonSdk::Error Gphoto2CanonSdk::getChildCount(std::uint32_t& count)
{
    const auto work = [](Gphoto2Worker& worker, std::uint32_t& value) { return worker.childCount(value); };
    return ask(count, work);
}

CanonSdk::Error Gphoto2CanonSdk::getChildAtIndex(int index)
{
    return call([index](Gphoto2Worker& worker) { return worker.choose(index); }, kSessionDeadlineMs);
}

void Gphoto2CanonSdk::releaseCamera()
{
    post([](Gphoto2Worker& worker) { worker.releaseCamera(); });
}

CanonSdk::Error Gphoto2CanonSdk::openSession()
{
    return call([](Gphoto2Worker& worker) { return worker.openSession(); }, kSessionDeadlineMs);
}

CanonSdk::Error Gphoto2CanonSdk::closeSession()
{
    // Queued behind whatever is under way; nothing here waits for the camera.
    post([](Gphoto2Worker& worker) { worker.closeSession(); });
    return kOk;
}

CanonSdk::Error Gphoto2CanonSdk::getDeviceInfo(DeviceInfo& info)
{
    const auto work = [](Gphoto2Worker& worker, DeviceInfo& value) { return worker.deviceInfo(value); };
    return ask(info, work);
}

CanonSdk::Error Gphoto2CanonSdk::getPropertyDesc(std::uint32_t property, std::vector<std::int32_t>& elements)
{
    const auto work = [property](Gphoto2Worker& worker, std::vector<std::int32_t>& value) {
        return worker.propertyDesc(property, value);
    };
    return ask(elements, work);
}

CanonSdk::Error Gphoto2CanonSdk::getPropertySize(std::uint32_t property, std::uint32_t param, std::uint32_t& size)
{
    QByteArray data;
    const Error error = getPropertyData(property, param, data);
    if (error == kOk)
        size = static_cast<std::uint32_t>(data.size());
    return error;
}

CanonSdk::Error Gphoto2CanonSdk::getPropertyData(std::uint32_t property, std::uint32_t param, QByteArray& data)
{
    const auto work = [property, param](Gphoto2Worker& worker, QByteArray& value) {
        return worker.propertyData(property, param, value);
    };
    return ask(data, work);
}

CanonSdk::Error Gphoto2CanonSdk::setPropertyData(std::uint32_t property, std::uint32_t param, const QByteArray& data)
{
    return call([property, param, data](Gphoto2Worker& worker) { return worker.setPropertyData(property, param, data); });
}

void Gphoto2CanonSdk::writePropertyData(std::uint32_t property, std::uint32_t param, const QByteArray& data, Done done)
{
    if (!done)
        done = [](Error) {};
    if (!m_worker) {
        QTimer::singleShot(0, this, [done = std::move(done)] { done(kErrInternal); });
        return;
    }
    // Queued behind whatever the camera is doing. A setting's write is
    // short: calls that wait queue behind it.
    const quint64 id = m_nextRequest++;
    m_writes[id] = std::move(done);
    post([id, property, param, data](Gphoto2Worker& worker) {
        emit worker.valueRead(id, worker.setPropertyData(property, param, data), {});
    });
}

void Gphoto2CanonSdk::readPropertyData(std::uint32_t property, std::uint32_t param, ReadDone done)
{
    if (!m_worker) {
        QTimer::singleShot(0, this, [done = std::move(done)] { done(kErrInternal, {}); });
        return;
    }
    // A setting's read is short: calls that wait queue behind it.
    const quint64 id = m_nextRequest++;
    m_reads[id] = std::move(done);
    post([id, property, param](Gphoto2Worker& worker) {
        QByteArray data;
        const Error error = worker.propertyData(property, param, data);
        emit worker.valueRead(id, error, data);
    });
}

void Gphoto2CanonSdk::finishRead(quint64 id, Error error, const QByteArray& data)
{
    if (const auto written = m_writes.find(id); written != m_writes.end()) {
        const Done done = std::move(written->second);
        m_writes.erase(written);
        done(error);
        return;
    }
    const auto found = m_reads.find(id);
    if (found == m_reads.end())
        return;
    const ReadDone done = std::move(found->second);
    m_reads.erase(found);
    if (done)
        done(error, data);
}

CanonSdk::Error Gphoto2CanonSdk::setCapacity(const Capacity&)
{
    return call([](Gphoto2Worker& worker) { return worker.setCapacity(); });
}

CanonSdk::Error Gphoto2CanonSdk::setObjectEventHandler(ObjectHandler handler)
{
    m_objectHandler = std::move(handler);
    return kOk;
}

CanonSdk::Error Gphoto2CanonSdk::setPropertyEventHandler(PropertyHandler handler)
{
    m_propertyHandler = std::move(handler);
    return kOk;
}

CanonSdk::Error Gphoto2CanonSdk::setCameraStateEventHandler(StateHandler handler)
{
    m_stateHandler = std::move(handler);
    return kOk;
}

CanonSdk::Error Gphoto2CanonSdk::sendCommand(std::uint32_t command, std::uint32_t param, Done done)
{
    if (command != kCmdTakePicture && command != kCmdBulbStart && command != kCmdBulbEnd &&
        command != kCmdPressShutterButton)
        return kErrNotSupported;
    if (!m_worker)
        return kErrInternal;
    // A capture can hold the camera a while: the answer comes as an event.
    ++m_longCalls;
    const quint64 id = m_nextRequest++;
    m_commands[id] = std::move(done);
    post([id, command, param](Gphoto2Worker& worker) { worker.command(id, command, param); });
    return kOk;
}

void Gphoto2CanonSdk::finishCommand(quint64 id, Error error)
{
    const auto found = m_commands.find(id);
    if (found == m_commands.end())
        return;
    const Done done = std::move(found->second);
    m_commands.erase(found);
    --m_longCalls;
    if (done)
        done(error);
    else if (error != kOk && m_stateHandler)
        m_stateHandler(kStateInternalError, error);
}

CanonSdk::Error Gphoto2CanonSdk::sendStatusCommand(std::uint32_t command)
{
    return call([command](Gphoto2Worker& worker) { return worker.statusCommand(command); });
}

CanonSdk::Error Gphoto2CanonSdk::getDirectoryItemInfo(Item item, ItemInfo& info)
{
    const auto work = [item](Gphoto2Worker& worker, ItemInfo& value) { return worker.itemInfo(item, value); };
    return ask(info, work);
}

void Gphoto2CanonSdk::readDirectoryItemInfo(Item item, ItemInfoDone done)
{
    if (!m_worker) {
        QTimer::singleShot(0, this, [done = std::move(done)] { done(kErrInternal, {}); });
        return;
    }
    // Answered through the main thread's own queue; a worker stopped
    // meanwhile answers that it failed.
    const QPointer<Gphoto2CanonSdk> self(this);
    const std::uint64_t generation = m_generation;
    Gphoto2Worker* worker = m_worker.get();
    worker->post([worker, self, generation, item, done = std::move(done)] {
        ItemInfo info;
        const Error error = worker->itemInfo(item, info);
        MainThreadCall::post([self, generation, error, info, done] {
            if (self)
                done(self->m_generation == generation ? error : kErrInternal, info);
        });
    });
}

void Gphoto2CanonSdk::download(Item item, Sink sink, Progress progress, Done done)
{
    if (!m_worker) {
        QTimer::singleShot(0, this, [done = std::move(done)] { done(kErrInternal); });
        return;
    }
    const quint64 id = m_nextRequest++;
    m_downloads[id] = {std::move(sink), std::move(progress), std::move(done)};
    ++m_longCalls;
    post([id, item](Gphoto2Worker& worker) { worker.download(id, item); });
}

void Gphoto2CanonSdk::takeChunk(quint64 id, const QByteArray& bytes, qsizetype at, qsizetype length)
{
    const auto found = m_downloads.find(id);
    if (found == m_downloads.end() || found->second.failed)
        return;
    PendingDownload& pending = found->second;
    pending.failed = !pending.sink(QByteArrayView(bytes).sliced(at, length));
}

void Gphoto2CanonSdk::takeProgress(quint64 id, double percent)
{
    const auto found = m_downloads.find(id);
    if (found != m_downloads.end() && !found->second.failed && found->second.progress)
        found->second.progress(percent);
}

void Gphoto2CanonSdk::finishDownload(quint64 id, Error error)
{
    const auto found = m_downloads.find(id);
    if (found == m_downloads.end())
        return;
    const PendingDownload pending = std::move(found->second);
    m_downloads.erase(found);
    --m_longCalls;
    pending.done(pending.failed ? kErrInternal : error);
}

CanonSdk::Error Gphoto2CanonSdk::downloadComplete(Item item)
{
    return call([item](Gphoto2Worker& worker) { return worker.removeFromCamera(item); });
}

CanonSdk::Error Gphoto2CanonSdk::downloadCancel(Item item)
{
    return call([item](Gphoto2Worker& worker) { return worker.removeFromCamera(item); });
}

void Gphoto2CanonSdk::completeDownload(Item item, Done done)
{
    if (!done)
        done = [](Error) {};
    later<Error>([item](Gphoto2Worker& worker) { return worker.removeFromCamera(item); }, std::move(done),
                 kErrInternal);
}

void Gphoto2CanonSdk::cancelDownload(Item item, Done done)
{
    // Letting go of an image not fetched frees the camera's copy alike.
    completeDownload(item, std::move(done));
}

void Gphoto2CanonSdk::releaseItem(Item item)
{
    post([item](Gphoto2Worker& worker) { worker.releaseItem(item); });
}

void Gphoto2CanonSdk::downloadEvfImage(FrameDone done)
{
    if (!m_worker) {
        QTimer::singleShot(0, this, [done = std::move(done)] { done(kErrInternal, {}); });
        return;
    }
    const quint64 id = m_nextRequest++;
    m_frames[id] = std::move(done);
    post([id](Gphoto2Worker& worker) { worker.previewFrame(id); });
}

void Gphoto2CanonSdk::finishFrame(quint64 id, Error error, const QByteArray& jpeg)
{
    const auto found = m_frames.find(id);
    if (found == m_frames.end())
        return;
    const FrameDone done = std::move(found->second);
    m_frames.erase(found);
    done(error, jpeg);
}
