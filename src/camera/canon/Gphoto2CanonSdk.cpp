#include "camera/canon/Gphoto2CanonSdk.h"

#include "camera/canon/Gphoto2Worker.h"
#include "camera/CameraModules.h"
#include "platform/DeviceModule.h"

#include <QDeadlineTimer>
#include <QThread>
#include <QTimer>

#include <chrono>
#include <condition_variable>
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
              auto* create = DeviceModule::function<CameraModules::CreateGphoto2Device>(
                  CameraModules::kGphoto2, CameraModules::kCreateGphoto2Device);
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
    QMetaObject::invokeMethod(
        worker,
        [worker, reply, work = std::move(work)] {
            const Error error = work(*worker);
            const std::lock_guard lock(reply->mutex);
            reply->error = error;
            reply->answered.notify_all();
        },
        Qt::QueuedConnection);
    std::unique_lock lock(reply->mutex);
    if (!reply->answered.wait_for(lock, std::chrono::milliseconds(deadlineMs), [&] { return reply->error.has_value(); })) {
        m_late = reply;
        return kErrDeviceBusy;
    }
    return *reply->error;
}

bool Gphoto2CanonSdk::isLate()
{
    if (!m_late)
        return false;
    const std::lock_guard lock(m_late->mutex);
    if (!m_late->error)
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

void Gphoto2CanonSdk::post(std::function<void(Gphoto2Worker&)> work)
{
    if (!m_worker)
        return;
    Gphoto2Worker* worker = m_worker.get();
    QMetaObject::invokeMethod(worker, [worker, work = std::move(work)] { work(*worker); }, Qt::QueuedConnection);
}

CanonSdk::Error Gphoto2CanonSdk::initializeSdk()
{
    if (!m_worker) {
        m_thread = std::make_unique<QThread>();
        m_worker = std::make_unique<Gphoto2Worker>(m_factory);
        m_worker->moveToThread(m_thread.get());
        Gphoto2Worker* worker = m_worker.get();
        connect(worker, &Gphoto2Worker::objectEvent, this, [this](quint32 event, quint32 item) {
            if (m_objectHandler)
                m_objectHandler(event, item);
        }, Qt::QueuedConnection);
        connect(worker, &Gphoto2Worker::propertyChanged, this, [this](quint32 property, quint32 param) {
            if (m_propertyHandler)
                m_propertyHandler(kPropertyChanged, property, param);
        }, Qt::QueuedConnection);
        connect(worker, &Gphoto2Worker::cameraGone, this, [this] {
            if (m_stateHandler)
                m_stateHandler(kStateShutDown, 0);
        }, Qt::QueuedConnection);
        connect(worker, &Gphoto2Worker::commandDone, this, &Gphoto2CanonSdk::finishCommand, Qt::QueuedConnection);
        connect(worker, &Gphoto2Worker::downloadChunk, this, &Gphoto2CanonSdk::takeChunk, Qt::QueuedConnection);
        connect(worker, &Gphoto2Worker::downloadDone, this, &Gphoto2CanonSdk::finishDownload, Qt::QueuedConnection);
        connect(worker, &Gphoto2Worker::frameDone, this, &Gphoto2CanonSdk::finishFrame, Qt::QueuedConnection);
        m_thread->start();
    }
    return call([](Gphoto2Worker& worker) { return worker.initialize(); });
}

CanonSdk::Error Gphoto2CanonSdk::terminateSdk()
{
    stopWorker();
    return kOk;
}

void Gphoto2CanonSdk::stopWorker()
{
    if (!m_worker)
        return;
    Gphoto2Worker* worker = m_worker.get();
    disconnect(worker, nullptr, this, nullptr);
    QMetaObject::invokeMethod(
        worker,
        [worker] {
            worker->shutDown();
            QThread::currentThread()->quit();
        },
        Qt::QueuedConnection);
    // The session gets half the time to end; then a transfer still running is cancelled.
    bool ended = m_thread->wait(QDeadlineTimer(kStopDeadlineMs / 2));
    if (!ended) {
        worker->cancel();
        ended = m_thread->wait(QDeadlineTimer(kStopDeadlineMs / 2));
    }
    if (ended) {
        m_worker.reset();
        m_thread.reset();
    } else {
        // A gphoto2 call that does not return: its thread is left to end,
        // and clean up, by itself.
        QThread* thread = m_thread.release();
        Gphoto2Worker* stuck = m_worker.release();
        connect(thread, &QThread::finished, stuck, &QObject::deleteLater);
        connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    }
    m_longCalls = 0;
    m_late.reset();
    // What was under way ends in failure, from the event loop as always.
    for (auto& [id, pending] : m_downloads)
        QTimer::singleShot(0, this, [done = std::move(pending.done)] { done(kErrInternal); });
    for (auto& [id, done] : m_frames)
        QTimer::singleShot(0, this, [done = std::move(done)] { done(kErrInternal, {}); });
    m_downloads.clear();
    m_frames.clear();
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

CanonSdk::Error Gphoto2CanonSdk::sendCommand(std::uint32_t command, std::uint32_t param)
{
    if (command != kCmdTakePicture && command != kCmdBulbStart && command != kCmdBulbEnd &&
        command != kCmdPressShutterButton)
        return kErrNotSupported;
    if (!m_worker)
        return kErrInternal;
    // A capture can hold the camera a while: the answer comes as an event.
    ++m_longCalls;
    post([command, param](Gphoto2Worker& worker) { worker.command(command, param); });
    return kOk;
}

void Gphoto2CanonSdk::finishCommand(Error error)
{
    --m_longCalls;
    if (error != kOk && m_stateHandler)
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
    if (!pending.failed && pending.progress)
        pending.progress(100.0 * static_cast<double>(at + length) / static_cast<double>(bytes.size()));
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
