#include "camera/canon/LibGphoto2Device.h"

#include "camera/canon/Gphoto2Values.h"

#include <gphoto2/gphoto2.h>

#include <algorithm>
#include <cstdlib>
#include <memory>

using namespace CanonIds;

namespace {

CanonSdk::Error mapError(int result)
{
    switch (result) {
    case GP_OK: return kOk;
    case GP_ERROR_NOT_SUPPORTED:
    case GP_ERROR_MODEL_NOT_FOUND: return kErrNotSupported;
    case GP_ERROR_BAD_PARAMETERS: return kErrInvalidParameter;
    case GP_ERROR_CAMERA_BUSY:
    // Another program holds the camera's USB interface.
    case GP_ERROR_IO_USB_CLAIM: return kErrDeviceBusy;
    case GP_ERROR_NO_SPACE: return kErrMemoryFull;
    default: return result >= 0 ? kOk : kErrInternal;
    }
}

struct WidgetFree {
    void operator()(CameraWidget* widget) const { gp_widget_free(widget); }
};
using Widget = std::unique_ptr<CameraWidget, WidgetFree>;

// The camera's setting `name` as a widget its holder frees.
CanonSdk::Error singleConfig(Camera* camera, GPContext* context, const char* name, Widget& widget)
{
    if (!camera || !name)
        return kErrNotSupported;
    CameraWidget* raw = nullptr;
    const int result = gp_camera_get_single_config(camera, name, &raw, context);
    if (result != GP_OK)
        return mapError(result);
    widget.reset(raw);
    return kOk;
}

struct FileFree {
    void operator()(CameraFile* file) const { gp_file_unref(file); }
};
using File = std::unique_ptr<CameraFile, FileFree>;

struct ListFree {
    void operator()(CameraList* list) const { gp_list_unref(list); }
};
struct AbilitiesFree {
    void operator()(CameraAbilitiesList* list) const { gp_abilities_list_free(list); }
};
struct PortsFree {
    void operator()(GPPortInfoList* list) const { gp_port_info_list_free(list); }
};

GPContextFeedback cancelHook(GPContext*, void* data)
{
    const auto* cancelled = static_cast<const std::atomic<bool>*>(data);
    return cancelled->load() ? GP_CONTEXT_FEEDBACK_CANCEL : GP_CONTEXT_FEEDBACK_OK;
}

unsigned int progressStart(GPContext*, float target, const char*, void* data)
{
    static_cast<LibGphoto2Device::Transfer*>(data)->target = target;
    return 1;
}

void progressUpdate(GPContext*, unsigned int, float current, void* data)
{
    const auto* transfer = static_cast<LibGphoto2Device::Transfer*>(data);
    if (transfer->progress && *transfer->progress && transfer->target > 0)
        (*transfer->progress)(std::clamp(static_cast<double>(current / transfer->target), 0.0, 1.0));
}

void progressStop(GPContext*, unsigned int, void*) {}

}  // namespace

LibGphoto2Device::LibGphoto2Device(const std::atomic<bool>& cancelled) : m_cancelled(cancelled), m_context(gp_context_new())
{
    if (!m_context)
        return;
    gp_context_set_cancel_func(m_context, cancelHook, const_cast<std::atomic<bool>*>(&m_cancelled));
    gp_context_set_progress_funcs(m_context, progressStart, progressUpdate, progressStop, &m_transfer);
}

LibGphoto2Device::~LibGphoto2Device()
{
    close();
    if (m_context)
        gp_context_unref(m_context);
}

CanonSdk::Error LibGphoto2Device::autodetect(std::vector<Found>& found)
{
    CameraList* raw = nullptr;
    if (!m_context || gp_list_new(&raw) != GP_OK)
        return kErrInternal;
    const std::unique_ptr<CameraList, ListFree> list(raw);
    const int result = gp_camera_autodetect(raw, m_context);
    if (result < GP_OK)
        return noted(result);
    found.clear();
    for (int i = 0; i < gp_list_count(raw); ++i) {
        const char* model = nullptr;
        const char* port = nullptr;
        if (gp_list_get_name(raw, i, &model) == GP_OK && gp_list_get_value(raw, i, &port) == GP_OK)
            found.push_back({QString::fromUtf8(model), QString::fromUtf8(port)});
    }
    return kOk;
}

CanonSdk::Error LibGphoto2Device::open(const Found& camera, bool& canPreview)
{
    close();
    const QByteArray model = camera.model.toUtf8();
    const QByteArray port = camera.port.toUtf8();

    CameraAbilitiesList* rawAbilities = nullptr;
    int result = gp_abilities_list_new(&rawAbilities);
    const std::unique_ptr<CameraAbilitiesList, AbilitiesFree> abilitiesList(rawAbilities);
    if (result == GP_OK)
        result = gp_abilities_list_load(rawAbilities, m_context);
    const int modelIndex = result == GP_OK ? gp_abilities_list_lookup_model(rawAbilities, model.constData()) : result;
    CameraAbilities abilities{};
    result = modelIndex >= 0 ? gp_abilities_list_get_abilities(rawAbilities, modelIndex, &abilities) : modelIndex;
    if (result != GP_OK)
        return noted(result);

    GPPortInfoList* rawPorts = nullptr;
    result = gp_port_info_list_new(&rawPorts);
    const std::unique_ptr<GPPortInfoList, PortsFree> ports(rawPorts);
    if (result == GP_OK)
        result = gp_port_info_list_load(rawPorts);
    const int portIndex = result >= GP_OK ? gp_port_info_list_lookup_path(rawPorts, port.constData()) : result;
    GPPortInfo portInfo = nullptr;
    result = portIndex >= 0 ? gp_port_info_list_get_info(rawPorts, portIndex, &portInfo) : portIndex;
    if (result == GP_OK && gp_camera_new(&m_camera) == GP_OK) {
        gp_camera_set_abilities(m_camera, abilities);
        result = gp_camera_set_port_info(m_camera, portInfo);
    }
    canPreview = (abilities.operations & GP_OPERATION_CAPTURE_PREVIEW) != 0;
    if (result != GP_OK)
        close();
    return noted(result);
}

void LibGphoto2Device::close()
{
    if (m_camera)
        gp_camera_unref(m_camera);
    m_camera = nullptr;
}

CanonSdk::Error LibGphoto2Device::init()
{
    return m_camera ? noted(gp_camera_init(m_camera, m_context)) : kErrInternal;
}

CanonSdk::Error LibGphoto2Device::noted(int result)
{
    if (result < GP_OK)
        m_errorText = QString::fromUtf8(gp_result_as_string(result));
    return mapError(result);
}

CanonSdk::Error LibGphoto2Device::exit()
{
    return m_camera ? mapError(gp_camera_exit(m_camera, m_context)) : kOk;
}

bool LibGphoto2Device::hasConfig(const char* name)
{
    CameraWidget* widget = nullptr;
    if (!m_camera || gp_camera_get_single_config(m_camera, name, &widget, m_context) != GP_OK)
        return false;
    gp_widget_free(widget);
    return true;
}

CanonSdk::Error LibGphoto2Device::readConfig(const char* name, QString& value)
{
    Widget widget;
    if (const Error error = singleConfig(m_camera, m_context, name, widget); error != kOk)
        return error;
    CameraWidget* raw = widget.get();
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

CanonSdk::Error LibGphoto2Device::writeConfig(const char* name, const QString& value)
{
    Widget widget;
    if (const Error error = singleConfig(m_camera, m_context, name, widget); error != kOk)
        return error;
    CameraWidget* raw = widget.get();
    int result = GP_OK;
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

CanonSdk::Error LibGphoto2Device::configChoices(const char* name, QStringList& choices)
{
    Widget widget;
    if (const Error error = singleConfig(m_camera, m_context, name, widget); error != kOk)
        return error;
    CameraWidget* raw = widget.get();
    choices.clear();
    const int count = gp_widget_count_choices(raw);
    for (int i = 0; i < count; ++i) {
        const char* choice = nullptr;
        if (gp_widget_get_choice(raw, i, &choice) == GP_OK && choice)
            choices << QString::fromUtf8(choice);
    }
    return kOk;
}

CanonSdk::Error LibGphoto2Device::triggerCapture()
{
    return m_camera ? mapError(gp_camera_trigger_capture(m_camera, m_context)) : kErrInternal;
}

CanonSdk::Error LibGphoto2Device::waitForEvent(int timeoutMs, Event& event)
{
    if (!m_camera)
        return kErrInternal;
    CameraEventType type = GP_EVENT_TIMEOUT;
    void* data = nullptr;
    const int result = gp_camera_wait_for_event(m_camera, timeoutMs, &type, &data, m_context);
    if (result != GP_OK)
        return mapError(result);
    event = {};
    if (type == GP_EVENT_FILE_ADDED && data) {
        const auto* path = static_cast<CameraFilePath*>(data);
        event.fileAdded = true;
        event.folder = QString::fromUtf8(path->folder);
        event.name = QString::fromUtf8(path->name);
    } else if (type == GP_EVENT_UNKNOWN && data) {
        // A setting's change comes as text naming the camera's property.
        event.changedConfig = Gphoto2Values::changedConfig(QString::fromUtf8(static_cast<const char*>(data)));
    }
    event.more = type != GP_EVENT_TIMEOUT;
    std::free(data);
    return kOk;
}

CanonSdk::Error LibGphoto2Device::fileSize(const QString& folder, const QString& name, std::optional<quint64>& size)
{
    if (!m_camera)
        return kErrInternal;
    CameraFileInfo info{};
    const int result = gp_camera_file_get_info(m_camera, folder.toUtf8().constData(), name.toUtf8().constData(), &info,
                                               m_context);
    if (result != GP_OK)
        return mapError(result);
    size = (info.file.fields & GP_FILE_INFO_SIZE) ? std::optional<quint64>(info.file.size) : std::nullopt;
    return kOk;
}

CanonSdk::Error LibGphoto2Device::fileGet(const QString& folder, const QString& name, qint64 maxBytes,
                                          const Progress& progress, QByteArray& bytes)
{
    CameraFile* raw = nullptr;
    if (!m_camera || gp_file_new(&raw) != GP_OK)
        return kErrInternal;
    File file(raw);
    m_transfer = {&progress, 0};
    int result = gp_camera_file_get(m_camera, folder.toUtf8().constData(), name.toUtf8().constData(),
                                    GP_FILE_TYPE_NORMAL, raw, m_context);
    m_transfer = {};
    const char* data = nullptr;
    unsigned long size = 0;
    if (result == GP_OK)
        result = gp_file_get_data_and_size(raw, &data, &size);
    if (result != GP_OK)
        return mapError(result);
    if (static_cast<qint64>(size) > maxBytes)
        return kErrMemoryFull;
    bytes = QByteArray(data, static_cast<qsizetype>(size));
    return kOk;
}

CanonSdk::Error LibGphoto2Device::fileDelete(const QString& folder, const QString& name)
{
    if (!m_camera)
        return kErrInternal;
    return mapError(gp_camera_file_delete(m_camera, folder.toUtf8().constData(), name.toUtf8().constData(), m_context));
}

CanonSdk::Error LibGphoto2Device::capturePreview(QByteArray& jpeg)
{
    CameraFile* raw = nullptr;
    if (!m_camera || gp_file_new(&raw) != GP_OK)
        return kErrInternal;
    File file(raw);
    int result = gp_camera_capture_preview(m_camera, raw, m_context);
    const char* data = nullptr;
    unsigned long size = 0;
    if (result == GP_OK)
        result = gp_file_get_data_and_size(raw, &data, &size);
    if (result != GP_OK)
        return mapError(result);
    jpeg = QByteArray(data, static_cast<qsizetype>(size));
    return kOk;
}
