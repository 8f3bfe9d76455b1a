#pragma once

#include "camera/canon/CanonSdk.h"

#include <QObject>
#include <QTimer>

#include <map>

struct _Camera;
struct _CameraList;
struct _GPContext;

// The Canon calls on libgphoto2: the camera's configuration widgets stand in
// for the properties, its remote release for the commands, and its event
// queue, polled by a timer on the main thread, for the object and state
// events. What gphoto2 has no counterpart for (focus information, mirror
// lock-up, the device subtype, the shut-down timer) answers "not supported".
class Gphoto2CanonSdk : public QObject, public CanonSdk {
    Q_OBJECT
public:
    explicit Gphoto2CanonSdk(QObject* parent = nullptr);
    ~Gphoto2CanonSdk() override;

    Error initializeSdk() override;
    Error terminateSdk() override;
    Error getCameraList() override;
    Error getChildCount(std::uint32_t& count) override;
    Error getChildAtIndex(int index) override;
    void releaseCameraList() override;
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
    Error sendCommand(std::uint32_t command, std::uint32_t param) override;
    Error sendStatusCommand(std::uint32_t command) override;
    Error getDirectoryItemInfo(Item item, ItemInfo& info) override;
    Error download(Item item, const Sink& sink, const Progress& progress) override;
    Error downloadComplete(Item item) override;
    Error downloadCancel(Item item) override;
    void releaseItem(Item item) override;
    Error downloadEvfImage(QByteArray& jpeg) override;

    // The largest file a download takes.
    static constexpr qint64 kMaxFileBytes = 1LL << 30;

private:
    struct CameraPath {
        QString folder;
        QString name;
    };
    Error readValue(std::uint32_t property, std::uint32_t param, std::uint32_t& value);
    Error writeValue(std::uint32_t property, std::uint32_t param, std::uint32_t value);
    Error readConfig(const char* name, QString& value);
    Error writeConfig(const char* name, const QString& value);
    Error configChoices(const char* name, QStringList& choices);
    // The first of `names` the camera has.
    const char* firstConfig(std::initializer_list<const char*> names);
    Error release(bool pressed);
    Error removeFromCamera(Item item);
    void pollEvents();
    void postProperty(std::uint32_t property, std::uint32_t param);

    _GPContext* m_context = nullptr;
    _CameraList* m_list = nullptr;
    _Camera* m_camera = nullptr;
    QString m_model;
    QTimer m_poll;
    ObjectHandler m_objectHandler;
    PropertyHandler m_propertyHandler;
    StateHandler m_stateHandler;
    std::map<Item, CameraPath> m_items;
    Item m_nextItem = 1;
    std::uint32_t m_saveTo = CanonIds::kSaveToCamera;
    std::uint32_t m_evfOutput = 0;
    bool m_canPreview = false;
};
