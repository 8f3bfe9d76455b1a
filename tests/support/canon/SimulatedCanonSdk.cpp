#include "support/canon/SimulatedCanonSdk.h"

#include "camera/canon/CanonTables.h"

#include <QTimer>
#include <QtEndian>

#include <algorithm>
#include <cmath>
#include <utility>

using namespace CanonIds;

namespace {

constexpr qsizetype kChunk = 64 * 1024;

// The shutter speed of a Tv code, in seconds; 0 for bulb or an unknown code.
double secondsForTv(std::uint32_t code)
{
    for (int i = CanonTables::kFirstShutterSpeed; i < CanonTables::kExposureCount; ++i)
        if (CanonTables::exposure(i).tvCode == code)
            return CanonTables::exposure(i).seconds;
    return 0;
}

}  // namespace

SimulatedCanonSdk::SimulatedCanonSdk(QObject* parent) : QObject(parent)
{
    m_info.description = QStringLiteral("Canon EOS 550D");
    m_isoDesc = {0x00, 0x48, 0x50, 0x58, 0x60, 0x68, 0x70};
    setUInt32Value(kPropAEMode, 0, kAEManual);
    setUInt32Value(kPropISOSpeed, 0, 0x60);
    setUInt32Value(kPropTv, 0, kTvBulb);
    setUInt32Value(kPropSaveTo, 0, kSaveToCamera);
    setUInt32Value(kPropImageQuality, 0, 0x0013FF0F);
    setUInt32Value(kPropBatteryLevel, 0, 80);
    setUInt32Value(kPropEvfMode, 0, 1);
    setUInt32Value(kPropEvfOutputDevice, 0, 0);
    setUInt32Value(kPropEvfZoom, 0, 1);
    setUInt32Value(kPropWhiteBalance, 0, 0);
    setUInt32Value(kPropColorTemperature, 0, 5200);
    setUInt32Value(kPropCustomFunction, kParamMirrorLockup, 0);
}

void SimulatedCanonSdk::failCall(Call call, Error error, int times)
{
    for (int i = 0; i < times; ++i)
        m_callErrors[call].push_back(error);
}

void SimulatedCanonSdk::failCommand(std::uint32_t command, Error error, int times)
{
    for (int i = 0; i < times; ++i)
        m_commandErrors[command].push_back(error);
}

void SimulatedCanonSdk::refuseCommandLater(std::uint32_t command, Error error)
{
    m_lateRefusals[command].push_back(error);
}

void SimulatedCanonSdk::post(std::function<void()> answer)
{
    ++m_posted;
    QTimer::singleShot(0, this, [this, answer = std::move(answer)] {
        --m_posted;
        answer();
    });
}

void SimulatedCanonSdk::answerLateCommands()
{
    for (auto& answer : std::exchange(m_lateAnswers, {}))
        post(std::move(answer));
}

void SimulatedCanonSdk::holdDownloads(bool held)
{
    m_downloadsHeld = held;
    if (held)
        return;
    for (auto& download : std::exchange(m_heldDownloads, {}))
        post(std::move(download));
}

void SimulatedCanonSdk::failWrite(std::uint32_t property, std::uint32_t param, Error error)
{
    m_writeErrors[{property, param}] = error;
}

void SimulatedCanonSdk::setValue(std::uint32_t property, std::uint32_t param, const QByteArray& data)
{
    m_values[{property, param}] = data;
}

void SimulatedCanonSdk::setUInt32Value(std::uint32_t property, std::uint32_t param, std::uint32_t value)
{
    setValue(property, param, uint32Bytes(value));
}

void SimulatedCanonSdk::removeValue(std::uint32_t property, std::uint32_t param)
{
    m_values.erase({property, param});
}

void SimulatedCanonSdk::failDownloadAfter(int bytes, Error error, int times)
{
    for (int i = 0; i < times; ++i)
        m_downloadFailures.emplace_back(bytes, error);
}

std::vector<std::uint32_t> SimulatedCanonSdk::writesTo(std::uint32_t property, std::uint32_t param) const
{
    const auto found = m_writes.find({property, param});
    return found == m_writes.end() ? std::vector<std::uint32_t>{} : found->second;
}

std::uint32_t SimulatedCanonSdk::uint32Value(std::uint32_t property, std::uint32_t param) const
{
    const auto found = m_values.find({property, param});
    if (found == m_values.end() || found->second.size() < 4)
        return 0;
    return qFromLittleEndian<std::uint32_t>(found->second.constData());
}

int SimulatedCanonSdk::callCount(Call call) const
{
    const auto found = m_callCounts.find(call);
    return found == m_callCounts.end() ? 0 : found->second;
}

CanonSdk::Error SimulatedCanonSdk::scripted(Call call)
{
    ++m_callCounts[call];
    auto& queue = m_callErrors[call];
    if (queue.empty())
        return kOk;
    const Error error = queue.front();
    queue.pop_front();
    return error;
}

void SimulatedCanonSdk::postObjectEvent(std::uint32_t event, Item item)
{
    post([this, event, item] {
        if (m_objectHandler)
            m_objectHandler(event, item);
    });
}

void SimulatedCanonSdk::postStateEvent(std::uint32_t event)
{
    post([this, event] {
        if (m_stateHandler)
            m_stateHandler(event, 0);
    });
}

void SimulatedCanonSdk::postPropertyEvent(std::uint32_t property, std::uint32_t param)
{
    post([this, property, param] {
        if (m_propertyHandler)
            m_propertyHandler(0x101, property, param);
    });
}

CanonSdk::Item SimulatedCanonSdk::announceFile(const File& file)
{
    const Item item = m_nextItem++;
    m_items[item] = file;
    postObjectEvent(kObjectDirItemRequestTransfer, item);
    return item;
}

CanonSdk::Error SimulatedCanonSdk::initializeSdk()
{
    const Error error = scripted(Call::Initialize);
    m_initialized = error == kOk;
    return error;
}

CanonSdk::Error SimulatedCanonSdk::terminateSdk()
{
    m_initialized = false;
    m_sessionOpen = false;
    return kOk;
}

CanonSdk::Error SimulatedCanonSdk::getCameraList()
{
    const Error error = m_initialized ? scripted(Call::CameraList) : kErrInternal;
    m_hasList = error == kOk;
    return error;
}

CanonSdk::Error SimulatedCanonSdk::getChildCount(std::uint32_t& count)
{
    if (!m_hasList)
        return kErrInternal;
    count = m_cameraCount;
    return kOk;
}

CanonSdk::Error SimulatedCanonSdk::getChildAtIndex(int index)
{
    if (!m_hasList || index < 0 || static_cast<std::uint32_t>(index) >= m_cameraCount)
        return kErrInvalidParameter;
    const Error error = scripted(Call::ChildAtIndex);
    m_hasCamera = error == kOk;
    return error;
}

void SimulatedCanonSdk::releaseCamera()
{
    m_hasCamera = false;
}

CanonSdk::Error SimulatedCanonSdk::openSession()
{
    if (!m_hasCamera)
        return kErrInternal;
    const Error error = scripted(Call::OpenSession);
    m_sessionOpen = error == kOk;
    return error;
}

CanonSdk::Error SimulatedCanonSdk::closeSession()
{
    m_sessionOpen = false;
    m_bulbOpen = false;
    ++m_exposureId;
    return kOk;
}

CanonSdk::Error SimulatedCanonSdk::getDeviceInfo(DeviceInfo& info)
{
    const Error error = scripted(Call::DeviceInfo);
    if (error == kOk)
        info = m_info;
    return error;
}

CanonSdk::Error SimulatedCanonSdk::getPropertyDesc(std::uint32_t property, std::vector<std::int32_t>& elements)
{
    if (property != kPropISOSpeed)
        return kErrNotSupported;
    const Error error = scripted(Call::PropertyDesc);
    if (error == kOk)
        elements = m_isoDesc;
    return error;
}

CanonSdk::Error SimulatedCanonSdk::getPropertySize(std::uint32_t property, std::uint32_t param, std::uint32_t& size)
{
    const auto found = m_values.find({property, param});
    if (found == m_values.end())
        return kErrNotSupported;
    size = static_cast<std::uint32_t>(found->second.size());
    return kOk;
}

CanonSdk::Error SimulatedCanonSdk::getPropertyData(std::uint32_t property, std::uint32_t param, QByteArray& data)
{
    if (!m_sessionOpen)
        return kErrInternal;
    const auto found = m_values.find({property, param});
    if (found == m_values.end())
        return kErrNotSupported;
    data = found->second;
    return kOk;
}

CanonSdk::Error SimulatedCanonSdk::setPropertyData(std::uint32_t property, std::uint32_t param, const QByteArray& data)
{
    if (!m_sessionOpen)
        return kErrInternal;
    if (const auto failure = m_writeErrors.find({property, param});
        failure != m_writeErrors.end() && failure->second != kOk) {
        ++m_refusedWrites;
        return failure->second;
    }
    m_values[{property, param}] = data;
    if (data.size() >= 4)
        m_writes[{property, param}].push_back(qFromLittleEndian<std::uint32_t>(data.constData()));
    postPropertyEvent(property, param);
    return kOk;
}

CanonSdk::Error SimulatedCanonSdk::setCapacity(const Capacity&)
{
    return m_sessionOpen ? kOk : kErrInternal;
}

CanonSdk::Error SimulatedCanonSdk::setObjectEventHandler(ObjectHandler handler)
{
    const Error error = handler ? scripted(Call::ObjectHandler) : kOk;
    if (error == kOk)
        m_objectHandler = std::move(handler);
    return error;
}

CanonSdk::Error SimulatedCanonSdk::setPropertyEventHandler(PropertyHandler handler)
{
    const Error error = handler ? scripted(Call::PropertyHandler) : kOk;
    if (error == kOk)
        m_propertyHandler = std::move(handler);
    return error;
}

CanonSdk::Error SimulatedCanonSdk::setCameraStateEventHandler(StateHandler handler)
{
    const Error error = handler ? scripted(Call::StateHandler) : kOk;
    if (error == kOk)
        m_stateHandler = std::move(handler);
    return error;
}

CanonSdk::Error SimulatedCanonSdk::sendCommand(std::uint32_t command, std::uint32_t param, Done done)
{
    if (auto& refusals = m_lateRefusals[command]; m_sessionOpen && !refusals.empty()) {
        m_commands.emplace_back(command, param);
        const Error refused = refusals.front();
        refusals.pop_front();
        m_lateAnswers.push_back([done = std::move(done), refused] {
            if (done)
                done(refused);
        });
        return kOk;
    }
    const Error error = runCommand(command, param);
    if (error == kOk && done)
        post([done = std::move(done)] { done(kOk); });
    return error;
}

CanonSdk::Error SimulatedCanonSdk::runCommand(std::uint32_t command, std::uint32_t param)
{
    if (!m_sessionOpen)
        return kErrInternal;
    m_commands.emplace_back(command, param);
    if (auto& queue = m_commandErrors[command]; !queue.empty()) {
        const Error error = queue.front();
        queue.pop_front();
        return error;
    }
    const bool press = command == kCmdPressShutterButton && param != kShutterOff;
    const bool release = command == kCmdPressShutterButton && param == kShutterOff;
    if (command == kCmdBulbStart || press) {
        m_bulbOpen = true;
    } else if (command == kCmdBulbEnd || release) {
        if (m_bulbOpen)
            endExposure();
        m_bulbOpen = false;
    } else if (command == kCmdTakePicture) {
        const double seconds = secondsForTv(uint32Value(kPropTv));
        const std::uint64_t id = ++m_exposureId;
        QTimer::singleShot(static_cast<int>(std::lround(seconds * 1000)), this, [this, id] {
            if (id == m_exposureId && m_sessionOpen)
                endExposure();
        });
    }
    return kOk;
}

CanonSdk::Error SimulatedCanonSdk::sendStatusCommand(std::uint32_t)
{
    return m_sessionOpen ? kOk : kErrInternal;
}

SimulatedCanonSdk::File SimulatedCanonSdk::nextFile(bool jpeg)
{
    if (!m_files.empty()) {
        File file = m_files.front();
        m_files.pop_front();
        return file;
    }
    if (!jpeg)
        ++m_imageNumber;
    const QString name = QString::asprintf("IMG_%04d.", m_imageNumber) + (jpeg ? "JPG" : "CR2");
    return {name, name.toLatin1().repeated(1000)};
}

void SimulatedCanonSdk::endExposure()
{
    if (!m_announceFiles)
        return;
    const bool twoFiles = (uint32Value(kPropImageQuality) & 0xF) < 15;
    const bool toHost = uint32Value(kPropSaveTo) != kSaveToCamera;
    for (int i = 0; i < (twoFiles ? 2 : 1); ++i) {
        const Item item = m_nextItem++;
        m_items[item] = nextFile(i == 1);
        postObjectEvent(toHost ? kObjectDirItemRequestTransfer : kObjectDirItemCreated, item);
    }
}

CanonSdk::Error SimulatedCanonSdk::getDirectoryItemInfo(Item item, ItemInfo& info)
{
    const Error error = scripted(Call::ItemInfo);
    if (error != kOk)
        return error;
    const auto found = m_items.find(item);
    if (found == m_items.end())
        return kErrInvalidParameter;
    info.fileName = found->second.name;
    info.size = static_cast<std::uint64_t>(found->second.bytes.size());
    return kOk;
}

void SimulatedCanonSdk::download(Item item, Sink sink, Progress progress, Done done)
{
    // The bytes go over from the event loop, as a camera's would.
    auto run = [=, this] { done(transfer(item, sink, progress)); };
    if (m_downloadsHeld)
        m_heldDownloads.push_back(std::move(run));
    else
        post(std::move(run));
}

CanonSdk::Error SimulatedCanonSdk::transfer(Item item, const Sink& sink, const Progress& progress)
{
    const auto found = m_items.find(item);
    if (found == m_items.end())
        return kErrInvalidParameter;
    const QByteArray& bytes = found->second.bytes;
    qsizetype limit = bytes.size();
    Error failure = scripted(Call::Download);
    if (failure == kOk && !m_downloadFailures.empty()) {
        limit = std::min<qsizetype>(limit, m_downloadFailures.front().first);
        failure = m_downloadFailures.front().second;
        m_downloadFailures.pop_front();
    }
    for (qsizetype at = 0; at < limit; at += kChunk) {
        const qsizetype length = std::min(kChunk, limit - at);
        if (!sink(QByteArrayView(bytes).sliced(at, length)))
            return kErrInternal;
        if (progress)
            progress(100.0 * static_cast<double>(at + length) / static_cast<double>(bytes.size()));
    }
    return failure;
}

CanonSdk::Error SimulatedCanonSdk::downloadComplete(Item)
{
    return scripted(Call::DownloadComplete);
}

CanonSdk::Error SimulatedCanonSdk::downloadCancel(Item)
{
    ++m_cancelled;
    return kOk;
}

void SimulatedCanonSdk::releaseItem(Item item)
{
    m_items.erase(item);
}

void SimulatedCanonSdk::downloadEvfImage(FrameDone done)
{
    // The frame is the one ready now; it counts as fetched once it has come.
    QByteArray jpeg;
    const Error error = evfImage(jpeg);
    post([=, this] {
        if (error == kOk)
            ++m_evfDownloads;
        done(error, jpeg);
    });
}

CanonSdk::Error SimulatedCanonSdk::evfImage(QByteArray& jpeg)
{
    const Error error = scripted(Call::EvfImage);
    if (error != kOk)
        return error;
    if (m_evfFrame.isEmpty())
        return kErrObjectNotReady;
    jpeg = m_evfFrame;
    return kOk;
}
