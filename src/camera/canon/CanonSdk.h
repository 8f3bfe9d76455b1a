#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <cstdint>
#include <functional>
#include <vector>

// The camera maker's calls as the Canon controller uses them. Every call
// answers an error code, 0 for success. Handlers and completions are called
// on the main thread, never from inside the call that caused them. A call
// that answers at once may hold its caller only briefly; transfers answer
// through a completion.
namespace CanonIds {

using Error = std::uint32_t;

inline constexpr Error kOk = 0;
inline constexpr Error kErrInternal = 0x02;
inline constexpr Error kErrNotSupported = 0x07;
inline constexpr Error kErrInvalidParameter = 0x60;
inline constexpr Error kErrDeviceBusy = 0x81;
inline constexpr Error kErrMemoryFull = 0x84;
inline constexpr Error kErrTakePictureAF = 0x8D01;
inline constexpr Error kErrMirrorUp = 0x8D03;
inline constexpr Error kErrCardError = 0x8D07;
inline constexpr Error kErrObjectNotReady = 0xA102;

// Properties; values are 4 bytes unless noted.
inline constexpr std::uint32_t kPropBatteryLevel = 0x08;
inline constexpr std::uint32_t kPropCustomFunction = 0x09;
inline constexpr std::uint32_t kParamMirrorLockup = 0x60F;
inline constexpr std::uint32_t kPropSaveTo = 0x0B;
inline constexpr std::uint32_t kPropImageQuality = 0x100;
inline constexpr std::uint32_t kPropFocusInfo = 0x104;  // kFocusInfoSize bytes
inline constexpr std::uint32_t kPropWhiteBalance = 0x106;
inline constexpr std::uint32_t kPropColorTemperature = 0x107;
inline constexpr std::uint32_t kPropAEMode = 0x400;
inline constexpr std::uint32_t kPropISOSpeed = 0x402;
inline constexpr std::uint32_t kPropTv = 0x406;
inline constexpr std::uint32_t kPropEvfOutputDevice = 0x500;
inline constexpr std::uint32_t kPropEvfMode = 0x501;
inline constexpr std::uint32_t kPropEvfWhiteBalance = 0x502;
inline constexpr std::uint32_t kPropEvfColorTemperature = 0x503;
inline constexpr std::uint32_t kPropEvfZoom = 0x507;
inline constexpr std::uint32_t kPropEvfZoomPosition = 0x508;  // two 32-bit values

inline constexpr std::uint32_t kSaveToCamera = 1;
inline constexpr std::uint32_t kSaveToHost = 2;
inline constexpr std::uint32_t kSaveToBoth = 3;
inline constexpr std::uint32_t kAEManual = 3;
inline constexpr std::uint32_t kAEBulb = 4;
inline constexpr std::uint32_t kWhiteBalanceColorTemp = 9;
inline constexpr std::uint32_t kTvBulb = 0x0C;
inline constexpr std::uint32_t kEvfOutputHost = 2;
inline constexpr std::uint32_t kBatteryAC = 0xFFFFFFFF;

// The focus-information record: the image rectangle's width and height sit
// at these offsets, little-endian.
inline constexpr int kFocusInfoSize = 4120;
inline constexpr int kFocusInfoWidthOffset = 8;
inline constexpr int kFocusInfoHeightOffset = 12;

// Commands and their parameters.
inline constexpr std::uint32_t kCmdTakePicture = 0;
inline constexpr std::uint32_t kCmdExtendShutDownTimer = 1;
inline constexpr std::uint32_t kCmdBulbStart = 2;
inline constexpr std::uint32_t kCmdBulbEnd = 3;
inline constexpr std::uint32_t kCmdPressShutterButton = 4;
inline constexpr std::uint32_t kShutterCompletelyNonAF = 0x10003;
inline constexpr std::uint32_t kShutterOff = 0;
inline constexpr std::uint32_t kStatusUILock = 0;
inline constexpr std::uint32_t kStatusUIUnlock = 1;

// Events.
inline constexpr std::uint32_t kObjectDirItemCreated = 0x204;
inline constexpr std::uint32_t kObjectDirItemRequestTransfer = 0x208;
inline constexpr std::uint32_t kObjectDirItemRequestTransferDT = 0x209;
inline constexpr std::uint32_t kStateShutDown = 0x301;
inline constexpr std::uint32_t kStateWillSoonShutDown = 0x303;
inline constexpr std::uint32_t kStateInternalError = 0x306;

// A 4-byte property value as the calls pass it, little-endian.
QByteArray uint32Bytes(std::uint32_t value);

}  // namespace CanonIds

class CanonSdk {
public:
    using Error = CanonIds::Error;
    // A file on the camera, named by the event that announced it.
    using Item = std::uint32_t;

    struct DeviceInfo {
        QString description;
        std::uint32_t deviceSubType = 1;  // 0 = the old protocol
    };
    struct ItemInfo {
        std::uint64_t size = 0;
        QString fileName;
    };
    struct Capacity {
        std::int32_t numberOfFreeClusters = 0x7FFFFFFF;
        std::int32_t bytesPerSector = 0x1000;
        bool reset = true;
    };

    using ObjectHandler = std::function<void(std::uint32_t event, Item item)>;
    using PropertyHandler = std::function<void(std::uint32_t event, std::uint32_t property, std::uint32_t param)>;
    using StateHandler = std::function<void(std::uint32_t event, std::uint32_t data)>;
    // Takes the next bytes of a download; false stops it.
    using Sink = std::function<bool(QByteArrayView bytes)>;
    using Progress = std::function<void(double percent)>;
    using Done = std::function<void(Error error)>;
    using FrameDone = std::function<void(Error error, const QByteArray& jpeg)>;
    using ReadDone = std::function<void(Error error, const QByteArray& data)>;
    using UInt32Done = std::function<void(Error error, std::uint32_t value)>;
    using ItemInfoDone = std::function<void(Error error, const ItemInfo& info)>;
    // How a step of reaching the camera went, with the library's own words
    // for a failure when it has them.
    using StepDone = std::function<void(Error error, const QString& reason)>;
    using DescDone = std::function<void(Error error, const std::vector<std::int32_t>& elements)>;
    using DeviceInfoDone = std::function<void(Error error, const DeviceInfo& info)>;

    virtual ~CanonSdk() = default;

    virtual Error initializeSdk() = 0;
    virtual Error terminateSdk() = 0;
    virtual Error getCameraList() = 0;
    virtual Error getChildCount(std::uint32_t& count) = 0;
    // Makes the camera at `index` of the list the one the calls below reach.
    virtual Error getChildAtIndex(int index) = 0;
    virtual void releaseCameraList() = 0;
    virtual void releaseCamera() = 0;
    virtual Error openSession() = 0;
    virtual Error closeSession() = 0;
    virtual Error getDeviceInfo(DeviceInfo& info) = 0;

    // The values a property may take, in the camera's order.
    virtual Error getPropertyDesc(std::uint32_t property, std::vector<std::int32_t>& elements) = 0;
    virtual Error getPropertySize(std::uint32_t property, std::uint32_t param, std::uint32_t& size) = 0;
    virtual Error getPropertyData(std::uint32_t property, std::uint32_t param, QByteArray& data) = 0;
    virtual Error setPropertyData(std::uint32_t property, std::uint32_t param, const QByteArray& data) = 0;
    virtual Error setCapacity(const Capacity& capacity) = 0;

    virtual Error setObjectEventHandler(ObjectHandler handler) = 0;
    virtual Error setPropertyEventHandler(PropertyHandler handler) = 0;
    virtual Error setCameraStateEventHandler(StateHandler handler) = 0;

    // An error the camera gives at once is answered and `done` is not
    // called; otherwise `done`, when given, later gets how the command went.
    virtual Error sendCommand(std::uint32_t command, std::uint32_t param, Done done) = 0;
    Error sendCommand(std::uint32_t command, std::uint32_t param) { return sendCommand(command, param, {}); }
    virtual Error sendStatusCommand(std::uint32_t command) = 0;

    virtual Error getDirectoryItemInfo(Item item, ItemInfo& info) = 0;
    // The same without waiting for the camera; by default asked at once and
    // answered later.
    virtual void readDirectoryItemInfo(Item item, ItemInfoDone done);
    // Hands the item's bytes to `sink`, reporting progress in percent, then
    // tells `done` how it went.
    virtual void download(Item item, Sink sink, Progress progress, Done done) = 0;
    virtual Error downloadComplete(Item item) = 0;
    virtual Error downloadCancel(Item item) = 0;
    // The same two without waiting for the camera; by default asked at once
    // and answered later.
    virtual void completeDownload(Item item, Done done);
    virtual void cancelDownload(Item item, Done done);
    virtual void releaseItem(Item item) = 0;

    // One live-view frame as a JPEG; kErrObjectNotReady while none is ready.
    virtual void downloadEvfImage(FrameDone done) = 0;

    // Writes the property without waiting for the camera; `done` later gets
    // how it went. By default the write is made at once and only the answer
    // comes later.
    virtual void writePropertyData(std::uint32_t property, std::uint32_t param, const QByteArray& data, Done done);
    // Reads the property without waiting for the camera; likewise.
    virtual void readPropertyData(std::uint32_t property, std::uint32_t param, ReadDone done);

    // The connection's calls and the status command without waiting for
    // the camera; by default made at once and answered later.
    virtual void startSdk(StepDone done);
    virtual void findCameras(StepDone done);
    virtual void countCameras(UInt32Done done);
    virtual void chooseCamera(int index, StepDone done);
    virtual void startSession(StepDone done);
    virtual void readPropertyDesc(std::uint32_t property, DescDone done);
    virtual void readPropertySize(std::uint32_t property, std::uint32_t param, UInt32Done done);
    virtual void readDeviceInfo(DeviceInfoDone done);
    virtual void writeCapacity(const Capacity& capacity, Done done);
    virtual void postStatusCommand(std::uint32_t command, Done done);

    // 4-byte values, the common case.
    Error getUInt32(std::uint32_t property, std::uint32_t param, std::uint32_t& value);
    Error setUInt32(std::uint32_t property, std::uint32_t param, std::uint32_t value);
    void writeUInt32(std::uint32_t property, std::uint32_t param, std::uint32_t value, Done done);
    void readUInt32(std::uint32_t property, std::uint32_t param, UInt32Done done);
};
