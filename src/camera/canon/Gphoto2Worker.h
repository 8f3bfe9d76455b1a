#pragma once

#include "camera/canon/CanonSdk.h"
#include "camera/canon/Gphoto2Device.h"
#include "platform/JobInbox.h"

#include <QObject>
#include <QTimer>

#include <atomic>
#include <functional>
#include <map>
#include <memory>

// The Canon calls turned into gphoto2 ones, on the backend's worker thread:
// it owns the device (the gphoto2 context and camera), polls the camera's
// event queue and sends what it learns back as queued signals. The camera's
// configuration widgets stand in for the properties, its remote release for
// the commands. What gphoto2 has no counterpart for (focus information,
// mirror lock-up, the device subtype, the shut-down timer) answers "not
// supported". Only cancel() may be called from another thread.
class Gphoto2Worker : public QObject {
    Q_OBJECT
public:
    using Error = CanonSdk::Error;
    using Item = CanonSdk::Item;

    explicit Gphoto2Worker(Gphoto2Device::Factory factory);
    ~Gphoto2Worker() override;

    // Makes a transfer in progress give up; any thread.
    void cancel() { m_cancelled = true; }
    // Runs `job` on the worker's thread after the jobs posted before; any
    // thread.
    void post(std::function<void()> job);

    Error initialize();
    // Ends the session and lets go of the device.
    void shutDown();
    Error detect();
    // Why the last detection, open or session start failed, in libgphoto2's words.
    QString errorText() const;
    Error childCount(std::uint32_t& count) const;
    Error choose(int index);
    void releaseCamera();
    Error openSession();
    Error closeSession();
    Error deviceInfo(CanonSdk::DeviceInfo& info) const;
    Error propertyDesc(std::uint32_t property, std::vector<std::int32_t>& elements);
    Error propertyData(std::uint32_t property, std::uint32_t param, QByteArray& data);
    Error setPropertyData(std::uint32_t property, std::uint32_t param, const QByteArray& data);
    Error setCapacity() const;
    void command(quint64 id, std::uint32_t command, std::uint32_t param);
    Error statusCommand(std::uint32_t command);
    Error itemInfo(Item item, CanonSdk::ItemInfo& info);
    void download(quint64 id, Item item);
    Error removeFromCamera(Item item);
    void releaseItem(Item item) { m_items.erase(item); }
    void previewFrame(quint64 id);

    // The largest file a download takes.
    static constexpr qint64 kMaxFileBytes = 1LL << 30;

signals:
    void objectEvent(quint32 event, quint32 item);
    void propertyChanged(quint32 property, quint32 param);
    void cameraGone();
    void commandDone(quint64 id, quint32 error);
    // A setting read (its bytes) or written (none).
    void valueRead(quint64 id, quint32 error, const QByteArray& data);
    void downloadProgress(quint64 id, double percent);
    void downloadChunk(quint64 id, const QByteArray& bytes, qsizetype at, qsizetype length);
    void downloadDone(quint64 id, quint32 error);
    void frameDone(quint64 id, quint32 error, const QByteArray& jpeg);

private:
    Q_INVOKABLE void runNext();

    struct CameraPath {
        QString folder;
        QString name;
    };
    Error readValue(std::uint32_t property, std::uint32_t param, std::uint32_t& value);
    Error writeValue(std::uint32_t property, std::uint32_t param, std::uint32_t value);
    // The first of `names` the camera has.
    const char* firstConfig(std::initializer_list<const char*> names);
    Error release(bool pressed);
    void pollEvents();

    Gphoto2Device::Factory m_factory;
    std::atomic<bool> m_cancelled{false};
    // Set last by shutDown() and read by the destructor, after the thread
    // ended: what the worker did is then visible to the thread deleting it.
    std::atomic<bool> m_shutDown{false};
    JobInbox m_inbox;
    std::unique_ptr<Gphoto2Device> m_device;
    std::vector<Gphoto2Device::Found> m_found;
    bool m_hasList = false;
    bool m_hasCamera = false;
    QString m_model;
    QTimer m_poll;
    std::map<Item, CameraPath> m_items;
    Item m_nextItem = 1;
    std::uint32_t m_saveTo = CanonIds::kSaveToCamera;
    std::uint32_t m_evfOutput = 0;
    bool m_canPreview = false;
};
