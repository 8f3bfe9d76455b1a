#pragma once

#include "camera/canon/CanonSdk.h"

#include <QObject>

#include <deque>
#include <functional>
#include <map>
#include <utility>
#include <vector>

// A Canon camera in memory, for the tests and benches: properties, per-call
// results, events and the files each exposure produces are scripted. Exposures end by themselves after the shutter speed
// (or when the bulb ends) and announce their files as the camera would: a
// transfer request when the computer is a target, an item created otherwise.
class SimulatedCanonSdk : public QObject, public CanonSdk {
    Q_OBJECT
public:
    enum class Call {
        Initialize,
        CameraList,
        ChildAtIndex,
        OpenSession,
        DeviceInfo,
        PropertyDesc,
        ObjectHandler,
        PropertyHandler,
        StateHandler,
        ItemInfo,
        Download,
        DownloadComplete,
        EvfImage,
    };
    struct File {
        QString name;
        QByteArray bytes;
    };

    explicit SimulatedCanonSdk(QObject* parent = nullptr);

    // Scripting.
    void setCameraCount(std::uint32_t count) { m_cameraCount = count; }
    void setDescription(const QString& description) { m_info.description = description; }
    void setDeviceSubType(std::uint32_t subType) { m_info.deviceSubType = subType; }
    // The next `times` calls answer `error`.
    void failCall(Call call, Error error, int times = 1);
    void failCommand(std::uint32_t command, Error error, int times = 1);
    // The next such command is taken at once but does nothing; its answer,
    // `error`, comes only once answerLateCommands() is called.
    void refuseCommandLater(std::uint32_t command, Error error);
    void answerLateCommands();
    // While held, downloads wait; letting go runs the waiting ones.
    void holdDownloads(bool held);
    int heldDownloads() const { return static_cast<int>(m_heldDownloads.size()); }
    // Writes to the property answer `error` until cleared with kOk.
    void failWrite(std::uint32_t property, std::uint32_t param, Error error);
    void setValue(std::uint32_t property, std::uint32_t param, const QByteArray& data);
    void setUInt32Value(std::uint32_t property, std::uint32_t param, std::uint32_t value);
    // Reads of the property answer "not supported".
    void removeValue(std::uint32_t property, std::uint32_t param);
    void setISODesc(std::vector<std::int32_t> elements) { m_isoDesc = std::move(elements); }
    // The files the next exposures produce, in order; without any, each
    // exposure makes "IMG_nnnn.CR2" (and a JPEG with it for two-file quality).
    void queueFile(File file) { m_files.push_back(std::move(file)); }
    // Off: exposures end without announcing files.
    void setAnnounceFiles(bool on) { m_announceFiles = on; }
    // The download hands over this many bytes and then fails, `times` times.
    void failDownloadAfter(int bytes, Error error, int times = 1);
    void setEvfFrame(const QByteArray& jpeg) { m_evfFrame = jpeg; }

    // Sends events as the camera would, from the event loop.
    void postObjectEvent(std::uint32_t event, Item item);
    void postStateEvent(std::uint32_t event);
    void postPropertyEvent(std::uint32_t property, std::uint32_t param = 0);
    // Adds a file and announces it with a transfer request.
    Item announceFile(const File& file);

    // What was done to it.
    bool isInitialized() const { return m_initialized; }
    bool isSessionOpen() const { return m_sessionOpen; }
    bool hasCamera() const { return m_hasCamera; }
    const std::vector<std::pair<std::uint32_t, std::uint32_t>>& commands() const { return m_commands; }
    std::vector<std::uint32_t> writesTo(std::uint32_t property, std::uint32_t param = 0) const;
    std::uint32_t uint32Value(std::uint32_t property, std::uint32_t param = 0) const;
    bool isBulbOpen() const { return m_bulbOpen; }
    int openItems() const { return static_cast<int>(m_items.size()); }
    int cancelledDownloads() const { return m_cancelled; }
    // Frames handed over.
    int evfDownloads() const { return m_evfDownloads; }
    // How often a scripted call was made.
    int callCount(Call call) const;
    // Writes answered with a failWrite() error.
    int refusedWrites() const { return m_refusedWrites; }
    // Whether every answer and event it sent from the event loop was delivered.
    bool isDelivered() const { return m_posted == 0; }

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
    Error setObjectEventHandler(ObjectHandler handler) override;
    Error setPropertyEventHandler(PropertyHandler handler) override;
    Error setCameraStateEventHandler(StateHandler handler) override;
    using CanonSdk::sendCommand;
    Error sendCommand(std::uint32_t command, std::uint32_t param, Done done) override;
    Error sendStatusCommand(std::uint32_t command) override;
    Error getDirectoryItemInfo(Item item, ItemInfo& info) override;
    void download(Item item, Sink sink, Progress progress, Done done) override;
    Error downloadComplete(Item item) override;
    Error downloadCancel(Item item) override;
    void releaseItem(Item item) override;
    void downloadEvfImage(FrameDone done) override;

private:
    using Key = std::pair<std::uint32_t, std::uint32_t>;
    // Runs `answer` from the event loop, as a camera's answers come.
    void post(std::function<void()> answer);
    Error scripted(Call call);
    Error runCommand(std::uint32_t command, std::uint32_t param);
    Error transfer(Item item, const Sink& sink, const Progress& progress);
    Error evfImage(QByteArray& jpeg);
    void endExposure();
    File nextFile(bool jpeg);

    std::map<Call, std::deque<Error>> m_callErrors;
    std::map<Call, int> m_callCounts;
    std::map<std::uint32_t, std::deque<Error>> m_commandErrors;
    std::map<std::uint32_t, std::deque<Error>> m_lateRefusals;
    std::vector<std::function<void()>> m_lateAnswers;
    std::vector<std::function<void()>> m_heldDownloads;
    bool m_downloadsHeld = false;
    std::map<Key, Error> m_writeErrors;
    std::map<Key, QByteArray> m_values;
    std::map<Key, std::vector<std::uint32_t>> m_writes;
    std::vector<std::int32_t> m_isoDesc;
    std::deque<File> m_files;
    std::map<Item, File> m_items;
    std::deque<std::pair<int, Error>> m_downloadFailures;
    std::vector<std::pair<std::uint32_t, std::uint32_t>> m_commands;
    DeviceInfo m_info;
    QByteArray m_evfFrame;
    ObjectHandler m_objectHandler;
    PropertyHandler m_propertyHandler;
    StateHandler m_stateHandler;
    std::uint32_t m_cameraCount = 1;
    Item m_nextItem = 1;
    int m_imageNumber = 0;
    int m_cancelled = 0;
    int m_evfDownloads = 0;
    int m_posted = 0;
    int m_refusedWrites = 0;
    std::uint64_t m_exposureId = 0;
    bool m_initialized = false;
    bool m_hasList = false;
    bool m_hasCamera = false;
    bool m_sessionOpen = false;
    bool m_bulbOpen = false;
    bool m_announceFiles = true;
};
