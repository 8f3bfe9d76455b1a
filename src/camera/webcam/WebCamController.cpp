#include "camera/webcam/WebCamController.h"

#include "camera/webcam/FrameSource.h"
#include "camera/webcam/WebcamView.h"
#include "platform/AlertPanel.h"

WebCamController::WebCamController(FrameSource& source, DebugWriter debug, const QString& resources,
                                   const QString& movieDirectory, QObject* parent)
    : QObject(parent),
      m_source(&source),
      m_debug(std::move(debug)),
      m_recorder(m_debug),
      m_movieDirectory(movieDirectory),
      m_resources(resources)
{
    m_recorder.resetMovieName(m_movieDirectory);
    m_pipeline.setTextLayer(&m_textLayer);
    setSource(source);
}

WebCamController::~WebCamController()
{
    m_source->setFrameHandler({});
    m_source->close();
}

void WebCamController::setSource(FrameSource& source)
{
    disconnect();
    m_source->setFrameHandler({});
    m_source = &source;
    m_source->setFrameHandler([this](const QImage& frame) { viewWillDisplayImage(frame); });
}

void WebCamController::listDevices()
{
    m_devices = WebcamDeviceList::build(m_source->devices());
    if (!m_view)
        return;
    m_view->setDeviceItems(m_devices.items);
    if (m_devices.validDevice >= 0)
        m_view->selectDeviceTag(m_devices.validDevice);
}

void WebCamController::setView(WebcamView* view)
{
    m_view = view;
    m_recorder.setView(view);
    if (m_view)
        m_view->setDarkCheckbox(false, false);
    showCameraControls();
}

void WebCamController::showCameraControls()
{
    if (m_view)
        m_view->setCameraControls(m_isWebcamConnect);
}

bool WebCamController::connectDevice()
{
    if (webcamStartup())
        return true;
    // Without its support no webcam can be found, whatever is plugged in.
    if (const FrameSource::Missing missing = m_source->missingSupport(); !missing.title.isEmpty())
        AlertPanel::runAlert(missing.title, missing.text);
    else if (m_devices.validDevice < 0)
        AlertPanel::runAlert(kNoWebcam, kNoWebcamMessage);
    return false;
}

bool WebCamController::webcamStartup()
{
    if (!m_isWebcamConnect)
        listDevices();
    if (m_devices.validDevice < 0) {
        m_isWebcamConnect = false;
        showCameraControls();
        return false;
    }
    if (!openDevice(m_devices.validDevice))
        return false;
    afterOpen();
    return true;
}

void WebCamController::selectDevice(int tag)
{
    const int index = tag & 0xffff;
    if (m_devices.validDevice < 0) {
        m_isWebcamConnect = false;
        showCameraControls();
        return;
    }
    // The pop-up reports every choice, also of the device already running.
    if (m_isWebcamConnect && index == m_openDevice)
        return;
    if (m_recorder.isRecording())
        stopRecording();
    if (!openDevice(index))
        return;
    afterOpen();
}

bool WebCamController::openDevice(int index)
{
    m_source->close();
    m_openDevice = -1;
    if (!m_source->open(index)) {
        m_debug([&] { return QStringLiteral("Webcam: device %1 could not be opened").arg(index); });
        m_isWebcamConnect = false;
        showCameraControls();
        return false;
    }
    m_openDevice = index;
    return true;
}

void WebCamController::afterOpen()
{
    // The overlays are read with the first webcam opened, not at the program's start.
    if (!m_hasOverlays) {
        m_pipeline.setOverlays(OverlayPictures::load(m_resources));
        m_hasOverlays = true;
    }
    m_pipeline.restart();
    m_isWebcamConnect = true;
    m_recorder.resetMovieName(m_movieDirectory);
    if (m_view) {
        m_view->setRecordingControls(false);
        m_view->setAddCheckbox(false);
        m_view->setDarkCheckbox(false, false);
        m_view->setSizeText(sizeText());
    }
    showCameraControls();
}

void WebCamController::disconnect()
{
    if (m_recorder.isRecording())
        stopRecording();
    m_source->close();
    m_openDevice = -1;
    m_isWebcamConnect = false;
    showCameraControls();
}

QString WebCamController::sizeText() const
{
    return QString::asprintf("Size: %.0fX%.0f", double(m_pipeline.width()), double(m_pipeline.height()));
}

void WebCamController::evControl(int tag, double value)
{
    WebcamPipeline::Controls& c = m_pipeline.controls();
    const float v = float(value);
    switch (tag) {
    case kExposure: c.colour.ev = v; break;
    case kSaturation: c.colour.saturation = v; break;
    case kGamma: c.colour.gamma = v; break;
    case kHue: c.colour.hue = v; break;
    case kNoise: c.colour.noise = v; break;
    case kScale: c.scaleValue = v; break;
    case kReset:
        c.colour = {};
        c.scaleValue = 1.0f;
        c.isFilterReset = true;
        if (m_view)
            m_view->showAdjustments(c.colour, c.scaleValue);
        return;
    case kTakeDark:
        // Without frames there is nothing to average.
        if (!m_isWebcamConnect)
            return;
        if (!AlertPanel::runChoice(QStringLiteral("Are you sure you want to take a dark frame?"),
                                   QStringLiteral(" "), QStringLiteral("OK"), QStringLiteral("Cancel")))
            return;
        if (m_view)
            m_view->setDarkCheckbox(false, false);
        c.subDarkFrame = false;
        m_pipeline.dropDark();
        c.takeDarkFrame = true;
        return;
    case kDarkCheck: c.subDarkFrame = value != 0; return;
    case kStackCheck: c.addFrame = value != 0; return;
    case kCodec: m_recorder.setCodecTag(int(value)); return;
    case kQuality: m_recorder.setQualityTag(int(value)); return;
    case kStackCount:
        c.numStack = std::clamp(int(value), 2, FrameStack::kSlots);
        if (m_view)
            m_view->setDarkCheckbox(false, false);
        c.subDarkFrame = false;
        m_pipeline.dropDark();
        return;
    default: return;
    }
    c.isFilterReset = false;
}

void WebCamController::gridControl(int tag, bool on)
{
    WebcamPipeline::Controls& c = m_pipeline.controls();
    switch (tag) {
    case kMark: c.isMark = on; break;
    case kGrid: c.isGrid = on; break;
    case kTime: c.isTime = on; break;
    default: break;
    }
}

void WebCamController::setScaleShiftX(double dx, double dy)
{
    m_pipeline.controls().scaleShiftX += dx;
    m_pipeline.controls().scaleShiftY += dy;
}

bool WebCamController::startRecording(quint32 maxFrames)
{
    if (!m_isWebcamConnect || !m_recorder.startRecording(maxFrames))
        return false;
    // Movies hold whole frames: the zoom is off while recording.
    m_pipeline.controls().scaleValue = 1.0f;
    if (m_view)
        m_view->showAdjustments(m_pipeline.controls().colour, 1.0f);
    return true;
}

bool WebCamController::stopRecording()
{
    return m_recorder.stopRecording();
}

void WebCamController::viewWillDisplayImage(const QImage& frame)
{
    m_pipeline.controls().isRecording = m_recorder.isRecording();
    m_pipeline.controls().isFrameRec = m_recorder.isFrameRec();
    m_pipeline.controls().isPause = m_recorder.isPause();
    const std::optional<WebcamPipeline::Result> result = m_pipeline.process(frame);
    if (!result)
        return;
    if (!result->heldBack)
        m_recorder.recordFrame(result->image, m_pipeline.frequency());
    if (!m_view)
        return;
    if (result->sizeFixed)
        m_view->setSizeText(sizeText());
    if (result->darkTaken)
        m_view->setDarkCheckbox(false, true);
    if (result->darkDropped)
        m_view->setDarkCheckbox(false, false);
    if (result->rateSampled)
        m_view->setFrequencyText(QString::asprintf("FPS: %.1f", double(m_pipeline.frequency())));
    m_view->showFrame(result->image);
}
