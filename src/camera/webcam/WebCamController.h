#pragma once

#include "camera/webcam/CITextLayer.h"
#include "camera/webcam/WebcamDeviceList.h"
#include "camera/webcam/WebcamPipeline.h"
#include "camera/webcam/WebcamRecorder.h"
#include "model/settings/links/WebcamDevice.h"
#include "mount/DebugWriter.h"
#include "mount/links/ConnectMenuLinks.h"

#include <QObject>
#include <QString>

class FrameSource;
class WebcamView;

// Runs the webcam: lists the capture devices, opens the chosen one, takes
// the panel's controls and passes every frame through the frame pipeline to
// the capture view. The focus buffer it fills is the guider's and the
// focusers' picture. Lives for the whole run, on the main thread.
class WebCamController : public QObject, public MenuDevice, public WebcamDevice {
    Q_OBJECT
public:
    // The control tags of `evControl`.
    enum ControlTag {
        kExposure = 1,
        kSaturation = 2,
        kGamma = 3,
        kHue = 4,
        kNoise = 5,
        kScale = 7,
        kReset = 8,
        kTakeDark = 9,
        kDarkCheck = 10,
        kStackCheck = 11,
        kStackCount = 13,
        kCodec = 14,
        kQuality = 15,
    };
    // The overlay tags of `gridControl`.
    enum OverlayTag { kMark = 1, kGrid = 2, kTime = 3 };

    // `resources` holds the overlay pictures under "Buttons"; movies go to
    // `movieDirectory` unless the user chooses another folder.
    WebCamController(FrameSource& source, DebugWriter debug, const QString& resources,
                     const QString& movieDirectory, QObject* parent = nullptr);
    ~WebCamController() override;

    // Another source of frames (a test's): closes the current one first.
    void setSource(FrameSource& source);
    void setView(WebcamView* view);
    void setGuide(WebcamGuideLink* guide) { m_pipeline.setGuide(guide); }
    void setFocusers(const WebcamPipeline::Focusers& focusers) { m_pipeline.setFocusers(focusers); }

    // Lists the devices present now (one plugged in since the last look
    // appears) and opens the first usable camera; false when there is none
    // or it cannot be opened.
    bool webcamStartup();
    // Switches to the device of the pop-up item with `tag`; the device open
    // now stays as it is. A recording ends, with its movie, before a switch.
    void selectDevice(int tag);
    // WebcamDevice: ends a recording with a complete movie and closes the
    // device; the panel stays as it is.
    void disconnect() override;

    // Starts a movie of the shown frames, at most `maxFrames` (0: until
    // stopped), with the zoom switched off; false when it cannot be made or
    // no camera is connected.
    bool startRecording(quint32 maxFrames);
    bool stopRecording();
    WebcamRecorder& recorder() { return m_recorder; }

    // A slider's value, a check box's state (0 or 1) or a pop-up item's tag.
    void evControl(int tag, double value);
    void gridControl(int tag, bool on);
    // The capture view's pan, in screen points (x right, y up).
    void setScaleShiftX(double dx, double dy);

    bool isWebcamConnect() const { return m_isWebcamConnect; }
    float scaleValue() const { return m_pipeline.controls().scaleValue; }
    float width() const { return m_pipeline.width(); }
    float height() const { return m_pipeline.height(); }
    float frequency() const { return m_pipeline.frequency(); }
    const WebcamDeviceList& deviceList() const { return m_devices; }
    FocusImage& focusImage() { return m_pipeline; }
    WebcamPipeline& pipeline() { return m_pipeline; }

    // One frame from the source: processed and shown.
    void viewWillDisplayImage(const QImage& frame);

    // MenuDevice: connecting with no camera present, or without the
    // support for webcams, says which.
    bool isConnected() const override { return m_isWebcamConnect; }
    bool connectDevice() override;
    void disconnectDevice() override { disconnect(); }

    static constexpr char kNoWebcam[] = "No webcam was found.";
    static constexpr char kNoWebcamMessage[] =
        "Connect a webcam to this computer, then choose Webcam in the Connect menu again.";

private:
    void listDevices();
    bool openDevice(int index);
    void afterOpen();
    void showCameraControls();
    QString sizeText() const;

    FrameSource* m_source;
    DebugWriter m_debug;
    WebcamView* m_view = nullptr;
    WebcamDeviceList m_devices;
    WebcamPipeline m_pipeline;
    CITextLayer m_textLayer;
    WebcamRecorder m_recorder;
    QString m_movieDirectory;
    QString m_resources;  // holds the overlay pictures
    bool m_hasOverlays = false;
    // The device index open now; -1 when none.
    int m_openDevice = -1;
    bool m_isWebcamConnect = false;
};
