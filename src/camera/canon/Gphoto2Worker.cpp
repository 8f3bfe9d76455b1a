#include "camera/canon/Gphoto2Worker.h"

#include "camera/canon/CanonTables.h"
#include "camera/canon/Gphoto2Values.h"

#include <QtEndian>

#include <algorithm>

using namespace CanonIds;

namespace {

constexpr int kPollMs = 100;
constexpr int kEventsPerPoll = 20;
constexpr qsizetype kChunk = 256 * 1024;

}  // namespace

Gphoto2Worker::Gphoto2Worker(Gphoto2Device::Factory factory) : m_factory(std::move(factory)), m_poll(this)
{
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &Gphoto2Worker::pollEvents);
}

Gphoto2Worker::~Gphoto2Worker()
{
    m_shutDown.load(std::memory_order_acquire);
}

CanonSdk::Error Gphoto2Worker::initialize()
{
    if (!m_device)
        m_device = m_factory(m_cancelled);
    return m_device ? kOk : kErrInternal;
}

void Gphoto2Worker::post(std::function<void()> job)
{
    m_inbox.put(std::move(job));
    QMetaObject::invokeMethod(this, "runNext", Qt::QueuedConnection);
}

void Gphoto2Worker::runNext()
{
    if (std::function<void()> job = m_inbox.take())
        job();
}

void Gphoto2Worker::shutDown()
{
    closeSession();
    releaseCamera();
    m_device.reset();
    m_shutDown.store(true, std::memory_order_release);
}

CanonSdk::Error Gphoto2Worker::detect()
{
    if (!m_device)
        return kErrInternal;
    const Error error = m_device->autodetect(m_found);
    m_hasList = error == kOk;
    return error;
}

QString Gphoto2Worker::errorText() const
{
    return m_device ? m_device->errorText() : QStringLiteral("libgphoto2 could not be loaded.");
}

CanonSdk::Error Gphoto2Worker::childCount(std::uint32_t& count) const
{
    if (!m_hasList)
        return kErrInternal;
    count = static_cast<std::uint32_t>(m_found.size());
    return kOk;
}

CanonSdk::Error Gphoto2Worker::choose(int index)
{
    if (!m_device || index < 0 || index >= static_cast<int>(m_found.size()))
        return kErrInvalidParameter;
    releaseCamera();
    m_model = m_found[static_cast<std::size_t>(index)].model;
    const Error error = m_device->open(m_found[static_cast<std::size_t>(index)], m_canPreview);
    m_hasCamera = error == kOk;
    return error;
}

void Gphoto2Worker::releaseCamera()
{
    m_poll.stop();
    if (m_device)
        m_device->close();
    m_hasCamera = false;
    m_items.clear();
}

CanonSdk::Error Gphoto2Worker::openSession()
{
    if (!m_hasCamera)
        return kErrInternal;
    const Error error = m_device->init();
    if (error == kOk)
        m_poll.start();
    return error;
}

CanonSdk::Error Gphoto2Worker::closeSession()
{
    m_poll.stop();
    return m_hasCamera ? m_device->exit() : kOk;
}

CanonSdk::Error Gphoto2Worker::deviceInfo(CanonSdk::DeviceInfo& info) const
{
    if (!m_hasCamera)
        return kErrInternal;
    info.description = m_model;
    info.deviceSubType = 1;
    return kOk;
}

CanonSdk::Error Gphoto2Worker::setCapacity() const
{
    // gphoto2 keeps images in the camera's memory until they are fetched.
    return m_hasCamera ? kOk : kErrInternal;
}

const char* Gphoto2Worker::firstConfig(std::initializer_list<const char*> names)
{
    for (const char* name : names)
        if (m_hasCamera && m_device->hasConfig(name))
            return name;
    return nullptr;
}

CanonSdk::Error Gphoto2Worker::propertyDesc(std::uint32_t property, std::vector<std::int32_t>& elements)
{
    if (property != kPropISOSpeed || !m_hasCamera)
        return kErrNotSupported;
    QStringList choices;
    const Error error = m_device->configChoices("iso", choices);
    if (error != kOk)
        return error;
    // The first element is the automatic setting, which is not offered.
    elements = {0};
    for (const QString& choice : choices)
        if (const auto code = Gphoto2Values::isoCode(choice); code && *code != 0)
            elements.push_back(static_cast<std::int32_t>(*code));
    return kOk;
}

CanonSdk::Error Gphoto2Worker::propertyData(std::uint32_t property, std::uint32_t param, QByteArray& data)
{
    if (!m_hasCamera)
        return kErrNotSupported;
    if (property == kPropEvfZoomPosition) {
        QString text;
        const Error error = m_device->readConfig("eoszoomposition", text);
        if (error != kOk)
            return error;
        const QStringList parts = text.split(',');
        data = uint32Bytes(parts.value(0).toUInt()) + uint32Bytes(parts.value(1).toUInt());
        return kOk;
    }
    std::uint32_t value = 0;
    const Error error = readValue(property, param, value);
    if (error == kOk)
        data = uint32Bytes(value);
    return error;
}

CanonSdk::Error Gphoto2Worker::readValue(std::uint32_t property, std::uint32_t param, std::uint32_t& value)
{
    QString text;
    const auto read = [&](const char* name) { return name ? m_device->readConfig(name, text) : kErrNotSupported; };
    const auto mapped = [&](std::optional<std::uint32_t> code) {
        value = code.value_or(0xFFFFFFFF);
        return kOk;
    };
    if (param != 0)
        return kErrNotSupported;
    Error error = kOk;
    switch (property) {
    case kPropISOSpeed:
        error = read("iso");
        return error == kOk ? mapped(Gphoto2Values::isoCode(text)) : error;
    case kPropTv:
        error = read("shutterspeed");
        return error == kOk ? mapped(Gphoto2Values::tvCode(text)) : error;
    case kPropAEMode:
        error = read(firstConfig({"autoexposuremode", "autoexposuremodedial"}));
        return error == kOk ? mapped(Gphoto2Values::aeMode(text)) : error;
    case kPropBatteryLevel:
        error = read("batterylevel");
        if (error != kOk)
            return error;
        if (const auto level = Gphoto2Values::batteryLevel(text)) {
            value = *level;
            return kOk;
        }
        return kErrNotSupported;
    case kPropImageQuality:
        error = read("imageformat");
        // Two files per exposure ("RAW + Large Fine JPEG") or one.
        value = text.contains('+') ? 0 : 15;
        return error;
    case kPropSaveTo:
        value = m_saveTo;
        return kOk;
    case kPropWhiteBalance:
    case kPropEvfWhiteBalance:
        error = read("whitebalance");
        value = text.contains(QLatin1String("temperature"), Qt::CaseInsensitive) ? kWhiteBalanceColorTemp : 0;
        return error;
    case kPropColorTemperature:
    case kPropEvfColorTemperature:
        error = read("colortemperature");
        value = text.toUInt();
        return error;
    case kPropEvfMode:
        value = m_canPreview ? 1 : 0;
        return kOk;
    case kPropEvfOutputDevice:
        value = m_evfOutput;
        return kOk;
    case kPropEvfZoom:
        error = read("eoszoom");
        value = text.toUInt();
        return error;
    default:
        return kErrNotSupported;
    }
}

CanonSdk::Error Gphoto2Worker::setPropertyData(std::uint32_t property, std::uint32_t param, const QByteArray& data)
{
    if (data.size() < 4)
        return kErrInvalidParameter;
    if (!m_hasCamera)
        return kErrNotSupported;
    const std::uint32_t value = qFromLittleEndian<std::uint32_t>(data.constData());
    Error error = kErrNotSupported;
    if (property == kPropEvfZoomPosition && data.size() >= 8) {
        const std::uint32_t y = qFromLittleEndian<std::uint32_t>(data.constData() + 4);
        error = m_device->writeConfig("eoszoomposition", QStringLiteral("%1,%2").arg(value).arg(y));
    } else {
        error = writeValue(property, param, value);
    }
    if (error == kOk)
        emit propertyChanged(property, param);
    return error;
}

CanonSdk::Error Gphoto2Worker::writeValue(std::uint32_t property, std::uint32_t param, std::uint32_t value)
{
    QStringList choices;
    const auto write = [&](const char* name, const QString& choice) {
        return name ? m_device->writeConfig(name, choice) : kErrNotSupported;
    };
    const auto choose = [&](const char* name, const QString& choice) {
        return choice.isEmpty() ? kErrInvalidParameter : write(name, choice);
    };
    const auto choicesOf = [&](const char* name) {
        return name ? m_device->configChoices(name, choices) : kErrNotSupported;
    };
    if (param != 0)
        return kErrNotSupported;
    switch (property) {
    case kPropISOSpeed: {
        const CanonTables::ISOChoice iso = CanonTables::isoChoice(value);
        return iso.iso == 0 ? kErrInvalidParameter : write("iso", iso.title);
    }
    case kPropTv:
        if (const Error error = choicesOf("shutterspeed"); error != kOk)
            return error;
        return choose("shutterspeed", Gphoto2Values::tvChoice(value, choices));
    case kPropAEMode: {
        // The mode dial is the user's; a camera whose mode is a setting takes it.
        const char* name = firstConfig({"autoexposuremode", "autoexposuremodedial"});
        if (const Error error = choicesOf(name); error != kOk)
            return error;
        return choose(name, Gphoto2Values::choiceHolding(choices, value == kAEBulb ? "bulb" : "manual"));
    }
    case kPropSaveTo: {
        if (const Error error = choicesOf("capturetarget"); error != kOk)
            return error;
        const QString choice = Gphoto2Values::choiceHolding(choices, value == kSaveToHost ? "RAM" : "card");
        const Error error = choose("capturetarget", choice);
        if (error == kOk)
            m_saveTo = value;
        return error;
    }
    case kPropWhiteBalance:
    case kPropEvfWhiteBalance:
        if (const Error error = choicesOf("whitebalance"); error != kOk)
            return error;
        return choose("whitebalance", Gphoto2Values::choiceHolding(choices, "temperature"));
    case kPropColorTemperature:
    case kPropEvfColorTemperature:
        return write("colortemperature", QString::number(value));
    case kPropEvfMode:
        return m_canPreview && value == 1 ? kOk : kErrNotSupported;
    case kPropEvfOutputDevice:
        // Preview frames come on request; the viewfinder switch, where the
        // camera has one, raises the mirror for them.
        write("viewfinder", (value & kEvfOutputHost) ? QStringLiteral("1") : QStringLiteral("0"));
        m_evfOutput = value;
        return kOk;
    case kPropEvfZoom:
        return write("eoszoom", QString::number(value));
    default:
        return kErrNotSupported;
    }
}

CanonSdk::Error Gphoto2Worker::release(bool pressed)
{
    if (const char* name = firstConfig({"eosremoterelease"}))
        return m_device->writeConfig(name, pressed ? QStringLiteral("Press Full") : QStringLiteral("Release Full"));
    const char* bulb = firstConfig({"bulb"});
    return bulb ? m_device->writeConfig(bulb, pressed ? QStringLiteral("1") : QStringLiteral("0")) : kErrNotSupported;
}

void Gphoto2Worker::command(quint64 id, std::uint32_t command, std::uint32_t param)
{
    Error error = kErrNotSupported;
    if (!m_hasCamera) {
        error = kErrInternal;
    } else if (command == kCmdTakePicture) {
        error = m_device->triggerCapture();
    } else if (command == kCmdBulbStart || command == kCmdBulbEnd) {
        error = release(command == kCmdBulbStart);
    } else if (command == kCmdPressShutterButton) {
        error = release(param != kShutterOff);
    }
    emit commandDone(id, error);
}

CanonSdk::Error Gphoto2Worker::statusCommand(std::uint32_t command)
{
    const char* name = firstConfig({"uilock"});
    if (!name)
        return kErrNotSupported;
    return m_device->writeConfig(name, command == kStatusUILock ? QStringLiteral("1") : QStringLiteral("0"));
}

void Gphoto2Worker::pollEvents()
{
    if (!m_hasCamera)
        return;
    for (int i = 0; i < kEventsPerPoll; ++i) {
        Gphoto2Device::Event event;
        if (m_device->waitForEvent(1, event) != kOk) {
            // The camera went away (unplugged or switched off).
            m_poll.stop();
            emit cameraGone();
            return;
        }
        if (event.fileAdded) {
            const Item item = m_nextItem++;
            m_items[item] = {event.folder, event.name};
            emit objectEvent(m_saveTo == kSaveToCamera ? kObjectDirItemCreated : kObjectDirItemRequestTransfer, item);
        }
        // A setting changed on the body (or by a write): its handling re-reads it.
        if (const auto property = Gphoto2Values::changedProperty(event.changedConfig))
            emit propertyChanged(*property, 0);
        if (!event.more)
            return;
    }
}

CanonSdk::Error Gphoto2Worker::itemInfo(Item item, CanonSdk::ItemInfo& info)
{
    const auto found = m_items.find(item);
    if (!m_hasCamera || found == m_items.end())
        return kErrInvalidParameter;
    std::optional<quint64> size;
    const Error error = m_device->fileSize(found->second.folder, found->second.name, size);
    if (error != kOk)
        return error;
    info.fileName = found->second.name;
    info.size = size.value_or(0);
    return kOk;
}

void Gphoto2Worker::download(quint64 id, Item item)
{
    const auto found = m_items.find(item);
    if (!m_hasCamera || found == m_items.end()) {
        emit downloadDone(id, kErrInvalidParameter);
        return;
    }
    // The camera's stated size is checked before the file is fetched into memory.
    CanonSdk::ItemInfo info;
    if (itemInfo(item, info) == kOk && static_cast<qint64>(info.size) > kMaxFileBytes) {
        emit downloadDone(id, kErrMemoryFull);
        return;
    }
    QByteArray bytes;
    int reported = -1;
    // Whole percents only: the main thread hears of each step once.
    const Gphoto2Device::Progress progress = [&](double fraction) {
        const int percent = static_cast<int>(fraction * 100);
        if (percent != reported) {
            reported = percent;
            emit downloadProgress(id, percent);
        }
    };
    const Error error = m_device->fileGet(found->second.folder, found->second.name, kMaxFileBytes, progress, bytes);
    // Each piece is its own event on the main thread, which stays free between them.
    if (error == kOk)
        progress(1.0);
    if (error == kOk)
        for (qsizetype at = 0; at < bytes.size(); at += kChunk)
            emit downloadChunk(id, bytes, at, std::min(kChunk, bytes.size() - at));
    emit downloadDone(id, error);
}

CanonSdk::Error Gphoto2Worker::removeFromCamera(Item item)
{
    const auto found = m_items.find(item);
    if (!m_hasCamera || found == m_items.end())
        return kErrInvalidParameter;
    // Images held only in the camera's memory are freed once fetched.
    if (m_saveTo != kSaveToHost)
        return kOk;
    return m_device->fileDelete(found->second.folder, found->second.name);
}

void Gphoto2Worker::previewFrame(quint64 id)
{
    QByteArray jpeg;
    Error error = m_hasCamera ? m_device->capturePreview(jpeg) : kErrInternal;
    if (error == kErrDeviceBusy)
        error = kErrObjectNotReady;
    emit frameDone(id, error, jpeg);
}
