#pragma once

#include "camera/canon/CanonSdk.h"
#include "camera/canon/Gphoto2Device.h"

#include <QObject>

#include <future>
#include <map>
#include <memory>

class Gphoto2Worker;
class QThread;

// The Canon calls on libgphoto2. Every gphoto2 call runs on a worker thread
// of this object's own, started by initializeSdk() or startSdk() and let end
// by itself by terminateSdk(); the main thread only posts requests and takes
// the answers. A call that answers at once waits for the worker within a
// deadline, and answers "busy" straight away while a download or command
// holds the camera; the connection's steps, downloads and the removal of
// their images, commands, live-view frames and the settings' queued reads
// and writes answer through completions, in the order they were asked.
class Gphoto2CanonSdk : public QObject, public CanonSdk {
    Q_OBJECT
public:
    // Without a factory the calls reach libgphoto2 itself.
    explicit Gphoto2CanonSdk(QObject* parent = nullptr);
    explicit Gphoto2CanonSdk(Gphoto2Device::Factory factory, QObject* parent = nullptr);
    ~Gphoto2CanonSdk() override;

    Error initializeSdk() override;
    Error terminateSdk() override;
    Error getCameraList() override;
    Error getChildCount(std::uint32_t& count) override;
    Error getChildAtIndex(int index) override;
    void releaseCameraList() override {}
    void releaseCamera() override;
    Error openSession() override;
    Error closeSession() override;
    Error getDeviceInfo(DeviceInfo& info) override;
    Error getPropertyDesc(std::uint32_t property, std::vector<std::int32_t>& elements) override;
    Error getPropertySize(std::uint32_t property, std::uint32_t param, std::uint32_t& size) override;
    Error getPropertyData(std::uint32_t property, std::uint32_t param, QByteArray& data) override;
    Error setPropertyData(std::uint32_t property, std::uint32_t param, const QByteArray& data) override;
    Error setCapacity(const Capacity& capacity) override;
    void writePropertyData(std::uint32_t property, std::uint32_t param, const QByteArray& data, Done done) override;
    void readPropertyData(std::uint32_t property, std::uint32_t param, ReadDone done) override;
    Error setObjectEventHandler(ObjectHandler handler) override;
    Error setPropertyEventHandler(PropertyHandler handler) override;
    Error setCameraStateEventHandler(StateHandler handler) override;
    using CanonSdk::sendCommand;
    Error sendCommand(std::uint32_t command, std::uint32_t param, Done done) override;
    Error sendStatusCommand(std::uint32_t command) override;
    Error getDirectoryItemInfo(Item item, ItemInfo& info) override;
    void readDirectoryItemInfo(Item item, ItemInfoDone done) override;
    void download(Item item, Sink sink, Progress progress, Done done) override;
    Error downloadComplete(Item item) override;
    Error downloadCancel(Item item) override;
    void completeDownload(Item item, Done done) override;
    void cancelDownload(Item item, Done done) override;
    void releaseItem(Item item) override;
    void downloadEvfImage(FrameDone done) override;
    void startSdk(StepDone done) override;
    void findCameras(StepDone done) override;
    void countCameras(UInt32Done done) override;
    void chooseCamera(int index, StepDone done) override;
    void startSession(StepDone done) override;
    void readPropertyDesc(std::uint32_t property, DescDone done) override;
    void readPropertySize(std::uint32_t property, std::uint32_t param, UInt32Done done) override;
    void readDeviceInfo(DeviceInfoDone done) override;
    void writeCapacity(const Capacity& capacity, Done done) override;
    void postStatusCommand(std::uint32_t command, Done done) override;

    // How long a call that answers at once may wait for the worker, and the
    // connection's slower steps (detection, opening the camera).
    static constexpr int kCallDeadlineMs = 3000;
    static constexpr int kSessionDeadlineMs = 10000;
    // How long shutting down waits for a gphoto2 call to return.
    static constexpr int kStopDeadlineMs = 3000;

private:
    // The worker's answer to a call that waits for it.
    struct Reply;
    struct PendingDownload {
        Sink sink;
        Progress progress;
        Done done;
        bool failed = false;
    };
    // Runs `work` on the worker and waits for its answer, at most `deadlineMs`.
    Error call(std::function<Error(Gphoto2Worker&)> work, int deadlineMs = kCallDeadlineMs);
    // Like call(), for a call that answers a value too.
    template <class T, class Work>
    Error ask(T& out, Work work, int deadlineMs = kCallDeadlineMs);
    // True while a call that missed its deadline still runs: later calls
    // would only wait behind it.
    bool isLate();
    // Runs `work` on the worker without waiting and hands its result to
    // `answer` on the main thread; without a worker, or from one stopped
    // meanwhile, `answer` gets `failed`.
    template <class Result>
    void later(std::function<Result(Gphoto2Worker&)> work, std::function<void(const Result&)> answer, Result failed);
    // A connection step: its code and, when it failed, libgphoto2's words.
    void step(std::function<Error(Gphoto2Worker&)> work, StepDone done);
    void startWorker();
    // Runs `work` on the worker without waiting.
    void post(std::function<void(Gphoto2Worker&)> work);
    void takeProgress(quint64 id, double percent);
    void takeChunk(quint64 id, const QByteArray& bytes, qsizetype at, qsizetype length);
    void finishDownload(quint64 id, Error error);
    void finishFrame(quint64 id, Error error, const QByteArray& jpeg);
    void finishCommand(quint64 id, Error error);
    void finishRead(quint64 id, Error error, const QByteArray& data);
    // Lets the worker end the session and its thread by itself: the main
    // thread does not wait for the camera.
    void letWorkerEnd();
    void reap(std::uint64_t ending);
    // Ends every worker, waiting for each at most the stop time.
    void stopWorker();
    void endOrLeave(std::unique_ptr<QThread> thread, std::unique_ptr<Gphoto2Worker> worker);
    // Requests under way fail.
    void failPending();

    Gphoto2Device::Factory m_factory;
    std::unique_ptr<QThread> m_thread;
    std::unique_ptr<Gphoto2Worker> m_worker;
    // Workers ending by themselves, by the generation they served.
    struct Ending {
        std::unique_ptr<QThread> thread;
        std::unique_ptr<Gphoto2Worker> worker;
    };
    std::map<std::uint64_t, Ending> m_ending;
    // Set once the last ended worker has let go of the camera.
    std::shared_future<void> m_previousEnded;
    ObjectHandler m_objectHandler;
    PropertyHandler m_propertyHandler;
    StateHandler m_stateHandler;
    std::map<quint64, PendingDownload> m_downloads;
    std::map<quint64, FrameDone> m_frames;
    // Commands under way, with whom to tell how they went.
    std::map<quint64, Done> m_commands;
    // Settings' reads and writes under way (answered by valueRead).
    std::map<quint64, ReadDone> m_reads;
    std::map<quint64, Done> m_writes;
    quint64 m_nextRequest = 1;
    std::shared_ptr<Reply> m_late;
    // Counts the workers started and stopped: news carries its worker's.
    std::uint64_t m_generation = 0;
    // Downloads and captures under way: the camera is busy until they end.
    int m_longCalls = 0;
};
