#include "camera/canon/Gphoto2CanonSdk.h"

#include "camera/canon/CanonTables.h"
#include "camera/canon/Gphoto2Values.h"

#include <gphoto2/gphoto2.h>

#include <QtEndian>

#include <algorithm>
#include <memory>

using namespace CanonIds;

namespace {

constexpr int kPollMs = 100;
constexpr int kEventsPerPoll = 20;
constexpr qsizetype kChunk = 256 * 1024;
constexpr std::uint32_t kPropertyChanged = 0x101;

CanonSdk::Error mapError(int result)
{
    switch (result) {
    case GP_OK: return kOk;
    case GP_ERROR_NOT_SUPPORTED:
    case GP_ERROR_MODEL_NOT_FOUND: return kErrNotSupported;
    case GP_ERROR_BAD_PARAMETERS: return kErrInvalidParameter;
    case GP_ERROR_CAMERA_BUSY: return kErrDeviceBusy;
    case GP_ERROR_NO_SPACE: return kErrMemoryFull;
    default: return result >= 0 ? kOk : kErrInternal;
    }
}

struct WidgetFree {
    void operator()(CameraWidget* widget) const { gp_widget_free(widget); }
};
using Widget = std::unique_ptr<CameraWidget, WidgetFree>;

struct FileFree {
    void operator()(CameraFile* file) const { gp_file_unref(file); }
};
using File = std::unique_ptr<CameraFile, FileFree>;

}  // namespace

Gphoto2CanonSdk::Gphoto2CanonSdk(QObject* parent) : QObject(parent)
{
    m_poll.setInterval(kPollMs);
    connect(&m_poll, &QTimer::timeout, this, &Gphoto2CanonSdk::pollEvents);
}

Gphoto2CanonSdk::~Gphoto2CanonSdk()
{
    closeSession();
    releaseCamera();
    releaseCameraList();
    terminateSdk();
}

CanonSdk::Error Gphoto2CanonSdk::initializeSdk()
{
    if (!m_context)
        m_context = gp_context_new();
    return m_context ? kOk : kErrInternal;
}

CanonSdk::Error Gphoto2CanonSdk::terminateSdk()
{
    if (m_context)
        gp_context_unref(m_context);
    m_context = nullptr;
    return kOk;
}

CanonSdk::Error Gphoto2CanonSdk::getCameraList()
{
    if (!m_context)
        return kErrInternal;
    releaseCameraList();
    if (gp_list_new(&m_list) != GP_OK)
        return kErrInternal;
    return mapError(gp_camera_autodetect(m_list, m_context));
}

CanonSdk::Error Gphoto2CanonSdk::getChildCount(std::uint32_t& count)
{
    if (!m_list)
        return kErrInternal;
    const int n = gp_list_count(m_list);
    if (n < 0)
        return mapError(n);
    count = static_cast<std::uint32_t>(n);
    return kOk;
}

CanonSdk::Error Gphoto2CanonSdk::getChildAtIndex(int index)
{
    const char* model = nullptr;
    const char* port = nullptr;
    if (!m_list || gp_list_get_name(m_list, index, &model) != GP_OK || gp_list_get_value(m_list, index, &port) != GP_OK)
        return kErrInvalidParameter;
    releaseCamera();
    m_model = QString::fromUtf8(model);

    CameraAbilitiesList* abilitiesList = nullptr;
    GPPortInfoList* ports = nullptr;
    int result = gp_abilities_list_new(&abilitiesList);
    if (result == GP_OK)
        result = gp_abilities_list_load(abilitiesList, m_context);
    const int modelIndex = result == GP_OK ? gp_abilities_list_lookup_model(abilitiesList, model) : result;
    CameraAbilities abilities{};
    if (modelIndex >= 0)
        result = gp_abilities_list_get_abilities(abilitiesList, modelIndex, &abilities);
    else
        result = modelIndex;
    if (abilitiesList)
        gp_abilities_list_free(abilitiesList);
    if (result != GP_OK)
        return mapError(result);

    result = gp_port_info_list_new(&ports);
    if (result == GP_OK)
        result = gp_port_info_list_load(ports);
    const int portIndex = result >= GP_OK ? gp_port_info_list_lookup_path(ports, port) : result;
    GPPortInfo portInfo = nullptr;
    result = portIndex >= 0 ? gp_port_info_list_get_info(ports, portIndex, &portInfo) : portIndex;
    if (result == GP_OK && gp_camera_new(&m_camera) == GP_OK) {
        gp_camera_set_abilities(m_camera, abilities);
        result = gp_camera_set_port_info(m_camera, portInfo);
    }
    if (ports)
        gp_port_info_list_free(ports);
    m_canPreview = (abilities.operations & GP_OPERATION_CAPTURE_PREVIEW) != 0;
    if (result != GP_OK)
        releaseCamera();
    return mapError(result);
}

void Gphoto2CanonSdk::releaseCameraList()
{
    if (m_list)
        gp_list_unref(m_list);
    m_list = nullptr;
}

void Gphoto2CanonSdk::releaseCamera()
{
    m_poll.stop();
    if (m_camera)
        gp_camera_unref(m_camera);
    m_camera = nullptr;
    m_items.clear();
}

CanonSdk::Error Gphoto2CanonSdk::openSession()
{
    if (!m_camera)
        return kErrInternal;
    const Error error = mapError(gp_camera_init(m_camera, m_context));
    if (error == kOk)
        m_poll.start();
    return error;
}

CanonSdk::Error Gphoto2CanonSdk::closeSession()
{
    m_poll.stop();
    if (!m_camera)
        return kOk;
    return mapError(gp_camera_exit(m_camera, m_context));
}

CanonSdk::Error Gphoto2CanonSdk::getDeviceInfo(DeviceInfo& info)
{
    if (!m_camera)
        return kErrInternal;
    info.description = m_model;
    info.deviceSubType = 1;
    return kOk;
}

const char* Gphoto2CanonSdk::firstConfig(std::initializer_list<const char*> names)
{
    for (const char* name : names) {
        CameraWidget* widget = nullptr;
        if (gp_camera_get_single_config(m_camera, name, &widget, m_context) == GP_OK) {
            gp_widget_free(widget);
            return name;
        }
    }
    return nullptr;
}

CanonSdk::Error Gphoto2CanonSdk::readConfig(const char* name, QString& value)
{
    if (!m_camera || !name)
        return kErrNotSupported;
    CameraWidget* raw = nullptr;
    const int result = gp_camera_get_single_config(m_camera, name, &raw, m_context);
    if (result != GP_OK)
        return mapError(result);
    Widget widget(raw);
    CameraWidgetType type;
    gp_widget_get_type(raw, &type);
    if (type == GP_WIDGET_TOGGLE || type == GP_WIDGET_DATE) {
        int number = 0;
        gp_widget_get_value(raw, &number);
        value = QString::number(number);
    } else if (type == GP_WIDGET_RANGE) {
        float number = 0;
        gp_widget_get_value(raw, &number);
        value = QString::number(static_cast<double>(number));
    } else {
        const char* text = nullptr;
        gp_widget_get_value(raw, &text);
        value = QString::fromUtf8(text ? text : "");
    }
    return kOk;
}

CanonSdk::Error Gphoto2CanonSdk::writeConfig(const char* name, const QString& value)
{
    if (!m_camera || !name)
        return kErrNotSupported;
    CameraWidget* raw = nullptr;
    int result = gp_camera_get_single_config(m_camera, name, &raw, m_context);
    if (result != GP_OK)
        return mapError(result);
    Widget widget(raw);
    CameraWidgetType type;
    gp_widget_get_type(raw, &type);
    if (type == GP_WIDGET_TOGGLE || type == GP_WIDGET_DATE) {
        const int number = value.toInt();
        result = gp_widget_set_value(raw, &number);
    } else if (type == GP_WIDGET_RANGE) {
        const float number = value.toFloat();
        result = gp_widget_set_value(raw, &number);
    } else {
        const QByteArray text = value.toUtf8();
        result = gp_widget_set_value(raw, text.constData());
    }
    if (result == GP_OK)
        result = gp_camera_set_single_config(m_camera, name, raw, m_context);
    return mapError(result);
}

CanonSdk::Error Gphoto2CanonSdk::configChoices(const char* name, QStringList& choices)
{
    if (!m_camera || !name)
        return kErrNotSupported;
    CameraWidget* raw = nullptr;
    const int result = gp_camera_get_single_config(m_camera, name, &raw, m_context);
    if (result != GP_OK)
        return mapError(result);
    Widget widget(raw);
    choices.clear();
    const int count = gp_widget_count_choices(raw);
    for (int i = 0; i < count; ++i) {
        const char* choice = nullptr;
        if (gp_widget_get_choice(raw, i, &choice) == GP_OK && choice)
            choices << QString::fromUtf8(choice);
    }
    return kOk;
}

CanonSdk::Error Gphoto2CanonSdk::getPropertyDesc(std::uint32_t property, std::vector<std::int32_t>& elements)
{
    if (property != kPropISOSpeed)
        return kErrNotSupported;
    QStringList choices;
    const Error error = configChoices("iso", choices);
    if (error != kOk)
        return error;
    // The first element is the automatic setting, which is not offered.
    elements = {0};
    for (const QString& choice : choices)
        if (const auto code = Gphoto2Values::isoCode(choice); code && *code != 0)
            elements.push_back(static_cast<std::int32_t>(*code));
    return kOk;
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
    if (property == kPropEvfZoomPosition) {
        QString text;
        const Error error = readConfig("eoszoomposition", text);
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

CanonSdk::Error Gphoto2CanonSdk::readValue(std::uint32_t property, std::uint32_t param, std::uint32_t& value)
{
    QString text;
    const auto read = [&](const char* name) { return readConfig(name, text); };
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

CanonSdk::Error Gphoto2CanonSdk::setPropertyData(std::uint32_t property, std::uint32_t param, const QByteArray& data)
{
    if (data.size() < 4)
        return kErrInvalidParameter;
    const std::uint32_t value = qFromLittleEndian<std::uint32_t>(data.constData());
    Error error = kErrNotSupported;
    if (property == kPropEvfZoomPosition && data.size() >= 8) {
        const std::uint32_t y = qFromLittleEndian<std::uint32_t>(data.constData() + 4);
        error = writeConfig("eoszoomposition", QStringLiteral("%1,%2").arg(value).arg(y));
    } else {
        error = writeValue(property, param, value);
    }
    if (error == kOk)
        postProperty(property, param);
    return error;
}

CanonSdk::Error Gphoto2CanonSdk::writeValue(std::uint32_t property, std::uint32_t param, std::uint32_t value)
{
    QStringList choices;
    const auto choose = [&](const char* name, const QString& choice) {
        return choice.isEmpty() ? kErrInvalidParameter : writeConfig(name, choice);
    };
    if (param != 0)
        return kErrNotSupported;
    switch (property) {
    case kPropISOSpeed: {
        const CanonTables::ISOChoice iso = CanonTables::isoChoice(value);
        return iso.iso == 0 ? kErrInvalidParameter : writeConfig("iso", iso.title);
    }
    case kPropTv:
        if (const Error error = configChoices("shutterspeed", choices); error != kOk)
            return error;
        return choose("shutterspeed", Gphoto2Values::tvChoice(value, choices));
    case kPropAEMode: {
        // The mode dial is the user's; a camera whose mode is a setting takes it.
        const char* name = firstConfig({"autoexposuremode", "autoexposuremodedial"});
        if (const Error error = configChoices(name, choices); error != kOk)
            return error;
        return choose(name, Gphoto2Values::choiceHolding(choices, value == kAEBulb ? "bulb" : "manual"));
    }
    case kPropSaveTo: {
        if (const Error error = configChoices("capturetarget", choices); error != kOk)
            return error;
        const QString choice = Gphoto2Values::choiceHolding(choices, value == kSaveToHost ? "RAM" : "card");
        const Error error = choose("capturetarget", choice);
        if (error == kOk)
            m_saveTo = value;
        return error;
    }
    case kPropWhiteBalance:
    case kPropEvfWhiteBalance:
        if (const Error error = configChoices("whitebalance", choices); error != kOk)
            return error;
        return choose("whitebalance", Gphoto2Values::choiceHolding(choices, "temperature"));
    case kPropColorTemperature:
    case kPropEvfColorTemperature:
        return writeConfig("colortemperature", QString::number(value));
    case kPropEvfMode:
        return m_canPreview && value == 1 ? kOk : kErrNotSupported;
    case kPropEvfOutputDevice:
        // Preview frames come on request; the viewfinder switch, where the
        // camera has one, raises the mirror for them.
        writeConfig("viewfinder", (value & kEvfOutputHost) ? QStringLiteral("1") : QStringLiteral("0"));
        m_evfOutput = value;
        return kOk;
    case kPropEvfZoom:
        return writeConfig("eoszoom", QString::number(value));
    default:
        return kErrNotSupported;
    }
}

void Gphoto2CanonSdk::postProperty(std::uint32_t property, std::uint32_t param)
{
    QTimer::singleShot(0, this, [this, property, param] {
        if (m_propertyHandler)
            m_propertyHandler(kPropertyChanged, property, param);
    });
}

CanonSdk::Error Gphoto2CanonSdk::setCapacity(const Capacity&)
{
    // gphoto2 keeps images in the camera's memory until they are fetched.
    return m_camera ? kOk : kErrInternal;
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

CanonSdk::Error Gphoto2CanonSdk::release(bool pressed)
{
    const char* name = firstConfig({"eosremoterelease"});
    if (name)
        return writeConfig(name, pressed ? QStringLiteral("Press Full") : QStringLiteral("Release Full"));
    return writeConfig(firstConfig({"bulb"}), pressed ? QStringLiteral("1") : QStringLiteral("0"));
}

CanonSdk::Error Gphoto2CanonSdk::sendCommand(std::uint32_t command, std::uint32_t param)
{
    if (!m_camera)
        return kErrInternal;
    switch (command) {
    case kCmdTakePicture: return mapError(gp_camera_trigger_capture(m_camera, m_context));
    case kCmdBulbStart: return release(true);
    case kCmdBulbEnd: return release(false);
    case kCmdPressShutterButton: return release(param != kShutterOff);
    default: return kErrNotSupported;
    }
}

CanonSdk::Error Gphoto2CanonSdk::sendStatusCommand(std::uint32_t command)
{
    return writeConfig(firstConfig({"uilock"}), command == kStatusUILock ? QStringLiteral("1") : QStringLiteral("0"));
}

void Gphoto2CanonSdk::pollEvents()
{
    if (!m_camera)
        return;
    for (int i = 0; i < kEventsPerPoll; ++i) {
        CameraEventType type = GP_EVENT_TIMEOUT;
        void* data = nullptr;
        const int result = gp_camera_wait_for_event(m_camera, 1, &type, &data, m_context);
        if (result != GP_OK) {
            // The camera went away (unplugged or switched off).
            m_poll.stop();
            if (m_stateHandler)
                m_stateHandler(kStateShutDown, 0);
            return;
        }
        if (type == GP_EVENT_FILE_ADDED && data) {
            const auto* path = static_cast<CameraFilePath*>(data);
            const Item item = m_nextItem++;
            m_items[item] = {QString::fromUtf8(path->folder), QString::fromUtf8(path->name)};
            if (m_objectHandler)
                m_objectHandler(m_saveTo == kSaveToCamera ? kObjectDirItemCreated : kObjectDirItemRequestTransfer, item);
        }
        free(data);
        if (type == GP_EVENT_TIMEOUT)
            return;
    }
}

CanonSdk::Error Gphoto2CanonSdk::getDirectoryItemInfo(Item item, ItemInfo& info)
{
    const auto found = m_items.find(item);
    if (!m_camera || found == m_items.end())
        return kErrInvalidParameter;
    CameraFileInfo fileInfo{};
    const QByteArray folder = found->second.folder.toUtf8();
    const QByteArray name = found->second.name.toUtf8();
    const int result = gp_camera_file_get_info(m_camera, folder.constData(), name.constData(), &fileInfo, m_context);
    if (result != GP_OK)
        return mapError(result);
    info.fileName = found->second.name;
    info.size = (fileInfo.file.fields & GP_FILE_INFO_SIZE) ? fileInfo.file.size : 0;
    return kOk;
}

CanonSdk::Error Gphoto2CanonSdk::download(Item item, const Sink& sink, const Progress& progress)
{
    const auto found = m_items.find(item);
    if (!m_camera || found == m_items.end())
        return kErrInvalidParameter;
    // The camera's stated size is checked before the file is fetched into memory.
    ItemInfo info;
    if (getDirectoryItemInfo(item, info) == kOk && static_cast<qint64>(info.size) > kMaxFileBytes)
        return kErrMemoryFull;
    CameraFile* raw = nullptr;
    if (gp_file_new(&raw) != GP_OK)
        return kErrInternal;
    File file(raw);
    const QByteArray folder = found->second.folder.toUtf8();
    const QByteArray name = found->second.name.toUtf8();
    int result = gp_camera_file_get(m_camera, folder.constData(), name.constData(), GP_FILE_TYPE_NORMAL, raw, m_context);
    const char* bytes = nullptr;
    unsigned long size = 0;
    if (result == GP_OK)
        result = gp_file_get_data_and_size(raw, &bytes, &size);
    if (result != GP_OK)
        return mapError(result);
    if (static_cast<qint64>(size) > kMaxFileBytes)
        return kErrMemoryFull;
    const QByteArrayView all(bytes, static_cast<qsizetype>(size));
    for (qsizetype at = 0; at < all.size(); at += kChunk) {
        const qsizetype length = std::min(kChunk, all.size() - at);
        if (!sink(all.sliced(at, length)))
            return kErrInternal;
        if (progress)
            progress(100.0 * static_cast<double>(at + length) / static_cast<double>(all.size()));
    }
    return kOk;
}

CanonSdk::Error Gphoto2CanonSdk::removeFromCamera(Item item)
{
    const auto found = m_items.find(item);
    if (!m_camera || found == m_items.end())
        return kErrInvalidParameter;
    // Images held only in the camera's memory are freed once fetched.
    if (m_saveTo != kSaveToHost)
        return kOk;
    const QByteArray folder = found->second.folder.toUtf8();
    const QByteArray name = found->second.name.toUtf8();
    return mapError(gp_camera_file_delete(m_camera, folder.constData(), name.constData(), m_context));
}

CanonSdk::Error Gphoto2CanonSdk::downloadComplete(Item item)
{
    return removeFromCamera(item);
}

CanonSdk::Error Gphoto2CanonSdk::downloadCancel(Item item)
{
    return removeFromCamera(item);
}

void Gphoto2CanonSdk::releaseItem(Item item)
{
    m_items.erase(item);
}

CanonSdk::Error Gphoto2CanonSdk::downloadEvfImage(QByteArray& jpeg)
{
    if (!m_camera)
        return kErrInternal;
    CameraFile* raw = nullptr;
    if (gp_file_new(&raw) != GP_OK)
        return kErrInternal;
    File file(raw);
    int result = gp_camera_capture_preview(m_camera, raw, m_context);
    if (result == GP_ERROR_CAMERA_BUSY)
        return kErrObjectNotReady;
    const char* bytes = nullptr;
    unsigned long size = 0;
    if (result == GP_OK)
        result = gp_file_get_data_and_size(raw, &bytes, &size);
    if (result != GP_OK)
        return mapError(result);
    jpeg = QByteArray(bytes, static_cast<qsizetype>(size));
    return kOk;
}
